#include "about/frmabout.h"

#include "about/frmabout_layout.h"
#include "about/sysinfo.h"
#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/platform.h"
#include "ui/twips.h"
#include "version.h"

#include <QKeyEvent>
#include <QTimer>

namespace {
// Where the box's client area opens, from the screen's top left corner.
constexpr double kClientLeft = 2340;
constexpr double kClientTop = 1935;
} // namespace

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
    picIcon->setFocusPolicy(Qt::StrongFocus);

    lblWebsite->setCursor(ui::linkHandCursor());
    lblPSClink->setCursor(ui::linkHandCursor());

    setTabOrder({"cmdOK", "picIcon", "cmdSysInfo"});

    // The window is a plain widget, not a dialog: Enter and Escape are routed here, after
    // the focused control has passed them on.
    window()->installEventFilter(this);

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
    placeClientArea();
}

void FrmAbout::placeClientArea()
{
    // Placed by its client area, not by its frame.
    window()->setGeometry(QRect(QPoint(ui::px(kClientLeft), ui::px(kClientTop)), window()->size()));
}

void FrmAbout::Form_Shown()
{
    // A window manager may shift a new window to make room for its frame; once the frame
    // is known, put the client area back where it belongs.
    QTimer::singleShot(0, window(), [this] {
        if (isLoaded())
            placeClientArea();
    });
}

bool FrmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window() || event->type() != QEvent::KeyPress)
        return ui::Form::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Escape:
        cmdOK->click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A focused System Info button takes Enter for itself; otherwise OK is the default.
        (window()->focusWidget() == cmdSysInfo ? cmdSysInfo : cmdOK)->click();
        return true;
    default:
        return false;
    }
}

void FrmAbout::Form_MouseMove()
{
    lblWebsite->setForeColor(ui::colors::LightBlue);
    lblPSClink->setForeColor(ui::colors::LightBlue);
}

void FrmAbout::lblWebsite_MouseMove() { lblWebsite->setForeColor(ui::colors::Red); }

void FrmAbout::lblPSClink_MouseMove() { lblPSClink->setForeColor(ui::colors::Red); }

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

bool FrmAbout::GetKeyValue(quint32 KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                           QString& KeyVal)
{
    return sysinfo::GetKeyValue(m_services.registry, KeyRoot, KeyName, SubKeyRef, KeyVal);
}
