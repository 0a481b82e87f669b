#include "about/frmabout.h"

#include "about/frmabout_layout.h"
#include "about/sysinfo.h"
#include "ui/assets.h"
#include "ui/controls.h"
#include "ui/platform.h"
#include "version.h"

FrmAbout::FrmAbout(const ui::Services& services)
    : ui::Form(layout::frmAbout, layout::frmAboutControls()), m_services(services)
{
}

void FrmAbout::bindControls()
{
    picIcon = control<ui::Picture>("picIcon");
    cmdOK = control<ui::Button>("cmdOK");
    cmdSysInfo = control<ui::Button>("cmdSysInfo");
    lblWebsite = control<ui::Label>("lblWebsite");
    lblPSClink = control<ui::Label>("lblPSClink");
    lblTitle = control<ui::Label>("lblTitle");
    lblVersion = control<ui::Label>("lblVersion");

    // The picture box sizes itself to its picture, border included.
    const QPixmap icon = ui::aboutIconPixmap();
    picIcon->setPicture(icon);
    picIcon->resize(icon.size() + QSize(2 * picIcon->frameWidth(), 2 * picIcon->frameWidth()));

    connect(lblWebsite, &ui::Label::mouseMoved, this, &FrmAbout::lblWebsite_MouseMove);
    connect(lblPSClink, &ui::Label::mouseMoved, this, &FrmAbout::lblPSClink_MouseMove);
    connect(lblWebsite, &ui::Label::clicked, this, &FrmAbout::lblWebsite_Click);
    connect(lblPSClink, &ui::Label::clicked, this, &FrmAbout::lblPSClink_Click);
    connect(cmdOK, &ui::Button::clicked, this, &FrmAbout::cmdOK_Click);
    connect(cmdSysInfo, &ui::Button::clicked, this, &FrmAbout::cmdSysInfo_Click);
}

void FrmAbout::Form_Load()
{
    const QString title = QString::fromLatin1(ui::kAppTitle);
    window()->setWindowTitle(QStringLiteral("About ") + title);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(ui::kVersionMajor)
                            .arg(ui::kVersionMinor)
                            .arg(ui::kVersionRevision));
    lblTitle->setText(title);
    for (ui::Label* link : {lblWebsite, lblPSClink}) {
        QFont f = link->font();
        f.setUnderline(true);
        link->setFont(f);
    }
    cmdOK->setFocus();
}

void FrmAbout::Form_MouseMove() { restLinks(); }

void FrmAbout::lblWebsite_MouseMove() { hoverLink(lblWebsite); }

void FrmAbout::lblPSClink_MouseMove() { hoverLink(lblPSClink); }

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

bool FrmAbout::GetKeyValue(
    quint32 KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    return sysinfo::GetKeyValue(m_services.registry, KeyRoot, KeyName, SubKeyRef, KeyVal);
}
