#pragma once
#include "ui/form.h"
#include "ui/platform.h"

#include <QString>
#include <QtGlobal>

namespace ui {
class Button;
class Label;
class Picture;
} // namespace ui

// The About box: title, version, credits, two web links and the system information tool.
class FrmAbout : public ui::Form {
    Q_OBJECT
public:
    // The web links and the system information launcher use the desktop's services.
    explicit FrmAbout(const ui::Services& services);

    // The system information launcher; the System Info button is its caller.
    void StartSysInfo();
    bool GetKeyValue(
        quint32 KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

    static constexpr const char* kWebsiteAddress = "https://tasselday.github.io/";
    static constexpr const char* kSourceSiteAddress = "https://github.com/";

protected:
    void bindControls() override;
    void Form_Load() override;
    void Form_MouseMove() override;

private:
    void lblWebsite_MouseMove();
    void lblPSClink_MouseMove();
    void lblWebsite_Click();
    void lblPSClink_Click();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void OpenWebPage(const QString& address);

    const ui::Services m_services;

    ui::Picture* picIcon = nullptr;
    ui::Button* cmdOK = nullptr;
    ui::Button* cmdSysInfo = nullptr;
    ui::Label* lblWebsite = nullptr;
    ui::Label* lblPSClink = nullptr;
    ui::Label* lblTitle = nullptr;
    ui::Label* lblVersion = nullptr;
};
