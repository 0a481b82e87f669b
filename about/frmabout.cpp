#include "about/frmabout.h"

#include "about/frmabout_layout.h"
#include "about/sysinfo.h"
#include "ui/assets.h"
#include "ui/controls.h"
#include "ui/platform.h"
#include "version.h"

FrmAbout::FrmAbout(const ui::Services& services)
    : FormOf(layout::frmAbout, layout::frmAboutControls()), m_services(services)
{
}

void FrmAbout::bindControls()
{

    // The picture box sizes itself to its picture, border included.
    const QPixmap icon = ui::aboutIconPixmap();
    c.picIcon->setPicture(icon);
    c.picIcon->resize(
        icon.size() + QSize(2 * c.picIcon->frameWidth(), 2 * c.picIcon->frameWidth()));

    connect(c.lblWebsite, &ui::Label::clicked, this, &FrmAbout::lblWebsite_Click);
    connect(c.lblPSClink, &ui::Label::clicked, this, &FrmAbout::lblPSClink_Click);
    connect(c.cmdOK, &ui::Button::clicked, this, &FrmAbout::cmdOK_Click);
    connect(c.cmdSysInfo, &ui::Button::clicked, this, &FrmAbout::cmdSysInfo_Click);
}

void FrmAbout::Form_Load()
{
    const QString title = QString::fromLatin1(ui::kAppTitle);
    window()->setWindowTitle(QStringLiteral("About ") + title);
    c.lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                              .arg(ui::kVersionMajor)
                              .arg(ui::kVersionMinor)
                              .arg(ui::kVersionRevision));
    c.lblTitle->setText(title);
    for (ui::Label* link : {c.lblWebsite, c.lblPSClink}) {
        QFont f = link->font();
        f.setUnderline(true);
        link->setFont(f);
    }
    c.cmdOK->setFocus();
}

void FrmAbout::lblWebsite_Click() { OpenWebPage(QString::fromLatin1(kWebsiteAddress)); }

void FrmAbout::lblPSClink_Click() { OpenWebPage(QString::fromLatin1(kSourceSiteAddress)); }

void FrmAbout::OpenWebPage(const QString& address)
{
    // The desktop's handler takes it from here; a missing browser goes unnoticed.
    m_services.urls.open(address);
}

void FrmAbout::cmdOK_Click() { unload(); }

void FrmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void FrmAbout::StartSysInfo() { sysinfo::StartSysInfo(m_services, window()); }
