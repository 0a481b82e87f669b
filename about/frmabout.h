#pragma once
#include "ui/form.h"
#include "ui/platform.h"

// The About box's controls its code works with, made from the rows of its layout.
struct FrmAboutControls {
    ui::Picture* picIcon;
    ui::Button *cmdOK, *cmdSysInfo;
    ui::Label *lblPSClink, *lblWebsite, *lblTitle, *lblVersion;
};

// The About box: title, version, credits, two web links and the system information tool.
class FrmAbout : public ui::FormOf<FrmAboutControls> {
    Q_OBJECT
public:
    // The web links and the system information launcher use the desktop's services.
    explicit FrmAbout(const ui::Services& services);

    // Finds the system's information tool and starts it; anything that goes wrong on the way
    // ends in one message box.
    void StartSysInfo();

protected:
    void Form_Load() override;

private:
    const ui::Services m_services;
};
