#include "about/frmabout.h"

#include "about/launcher.h"
#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/desktop_entry.h"
#include "version.h"

using namespace ui;
using namespace ui::colors;

namespace {

// Qt's conversion on Windows drops a text's last zero byte, which a value read from the
// registry may keep: the zeros are carried over one by one, the same on every system.
QString fromAnsi(const std::string& text)
{
    QStringList pieces;
    for (const QByteArray& piece :
        QByteArray::fromRawData(text.data(), qsizetype(text.size())).split('\0'))
        pieces << QString::fromLocal8Bit(piece);
    return pieces.join(QChar(u'\0'));
}

// The tables keep their rows as written: one control to a row, fields in a fixed order.
// clang-format off
using C = FrmAboutControls;

constexpr quint32 Cyan = 0x00FFFF00;
constexpr quint32 PaleCyan = 0x00FFFF80;
constexpr quint32 Grey = 0x00808080;
constexpr quint32 DarkRed = 0x000000C0;

constexpr FontSettings ArialItalic = {"Arial", 9.75, 400, true};
constexpr FontSettings SansBold = {"MS Sans Serif", 8.25, 700};
constexpr FontSettings ArialItalicLink = {"Arial", 9.75, 400, true, true};
constexpr FontSettings SansLink = {"MS Sans Serif", 8.25, 400, false, true};
constexpr Qt::Alignment Centred = Qt::AlignHCenter | Qt::AlignTop;

const WindowLayout frmAbout = {
    .caption = "About MyApp",
    .clientWidth = 5730,
    .clientHeight = 3960,
    .back = Navy,
    .frame = Frame::FixedToolDialog,
    // The client area, not the frame, opens at this place; the box is not centred.
    .placement = Placement::ClientAt,
    .placeLeft = 2340,
    .placeTop = 1935,
};

// From the bottom of the stacking order up: where two overlap, the later row is drawn above.
// The frame lies over the "Contributors:" heading so that it shows complete, and the grey
// line over the white one so that the separator looks engraved. The buttons and the picture
// box come last, in Tab order.
const Row<C> kRows[] = {
    {{Kind::Label, "lblDisclaimer"},
     {.text = "Tasselday is free software under the MIT licence: copy, change and give it "
              "away as you like. If you would like the source code, just ask the author for it.",
     .left = 255, .top = 3000, .width = 3870, .height = 825, .back = Navy, .fore = DarkRed,
     .wordWrap = true}},
    {UI_CONTROL(C, lblVersion), {.text = "Version", .left = 1050, .top = 480,
     .width = 3885, .height = 225, .back = Navy, .fore = LightBlue, .align = Centred,
     .wordWrap = true}},
    {{Kind::Line, "Line1(0)"}, {.left = 120, .top = 2880, .width = 5669,
     .fore = White, .lineWidth = 2}},
    {UI_CONTROL(C, lblTitle), {.text = "Application Title", .left = 1050,
     .top = 240, .width = 3885, .height = 240, .back = Navy, .fore = LightBlue,
     .font = SansBold, .align = Centred, .wordWrap = true}},
    {{Kind::Label, "lblDescription"}, {.text = "By Quillerby", .left = 1080,
     .top = 660, .width = 3885, .height = 315, .back = Navy, .fore = LightBlue,
     .font = ArialItalic, .align = Centred, .wordWrap = true}},
    {{Kind::Line, "Line1(1)"}, {.left = 120, .top = 2880, .width = 5684,
     .fore = Grey, .lineWidth = 1}},
    {{Kind::Label, "Label1"}, {.text = "for the Now functions", .left = 2880,
     .top = 1680, .width = 1605, .height = 210, .back = Navy, .fore = PaleCyan,
     .wordWrap = true}},
    {{Kind::Label, "Label2"}, {.text = "-Class of '06, for the idea and some testing",
     .left = 1080, .top = 1920, .width = 3765, .height = 210, .back = Navy, .fore = Cyan,
     .wordWrap = true}},
    {{Kind::Label, "Label3"}, {.text = "Contributors:", .left = 960, .top = 1440,
     .width = 4095, .height = 255, .back = Navy, .fore = LightBlue, .font = SansBold,
     .align = Centred, .wordWrap = true}},
    {UI_CONTROL(C, lblWebsite), {.text = "tasselday.github.io", .left = 1800,
     .top = 2520, .width = 2205, .height = 330, .back = Navy, .fore = LightBlue,
     .font = ArialItalicLink, .align = Centred, .wordWrap = true,
     .hoverFore = Red, .cursor = linkHandCursor}},
    {{Kind::Shape, "Shape1"}, {.left = 960, .top = 1440, .width = 4215,
     .height = 975, .fore = LightBlue}},
    {UI_CONTROL(C, lblPSClink), {.text = "-GitHub", .left = 1080, .top = 1680,
     .width = 1725, .height = 210, .back = Navy, .fore = LightBlue, .font = SansLink,
     .wordWrap = true, .hoverFore = Red, .cursor = linkHandCursor}},
    {{Kind::Label, "Label4"}, {.text = "-Qt, for help with opening web pages",
     .left = 1080, .top = 2160,
     .width = 3885, .height = 210, .back = Navy, .fore = Cyan, .wordWrap = true}},
    {{Kind::Label, "Label5"},
     {.text = "Original: 8/28/2005      This Build: 10/15/2005", .left = 1080, .top = 960,
     .width = 4005, .height = 330, .back = Navy, .fore = LightBlue, .font = ArialItalic,
     .align = Centred, .wordWrap = true}},
    {UI_CONTROL(C, cmdOK), {.text = "OK", .left = 4245, .top = 3000,
     .width = 1260, .height = 345, .back = LightBlue,
     .role = ButtonRole::DefaultAndCancel}},
    {UI_CONTROL(C, picIcon), {.left = 240, .top = 240, .width = 540,
     .height = 540, .back = LightBlue, .accessibleName = "Tasselday icon"}},
    {UI_CONTROL(C, cmdSysInfo), {.text = "&System Info...", .left = 4260,
     .top = 3480, .width = 1245, .height = 345, .back = LightBlue}},
};
} // namespace
// clang-format on

FrmAbout::FrmAbout(const ui::Services& services) : FormOf(frmAbout, kRows), m_services(services) { }

void FrmAbout::Form_Load()
{
    // The row's size is the 32-pixel icon's inside the picture's border.
    c.picIcon->setPixmap(ui::aboutIconPixmap());
    c.picIcon->setFocusPolicy(Qt::StrongFocus); // in the Tab order

    // The desktop's handler takes a link from here; a missing browser goes unnoticed.
    for (const auto& [link, address] : {std::pair {c.lblWebsite, "https://tasselday.github.io/"},
             {c.lblPSClink, "https://github.com/"}})
        connect(link, &ui::Label::clicked, this,
            [this, url = address] { m_services.urls.open(QString::fromLatin1(url)); });
    connect(c.cmdOK, &ui::Button::clicked, this, &FrmAbout::unload);
    connect(c.cmdSysInfo, &ui::Button::clicked, this, &FrmAbout::StartSysInfo);

    const QString title = QString::fromLatin1(ui::kAppTitle);
    window()->setWindowTitle(QStringLiteral("About ") + title);
    c.lblVersion->setText(QStringLiteral("Version ") + QLatin1String(ui::kVersion));
    c.lblTitle->setText(title);
}

// The launcher on the desktop's services, its message box owned by this box. Where the system
// has no registry, the desktop's own system information tool is started when one is installed.
void FrmAbout::StartSysInfo()
{
    const ui::Services& services = m_services;
    sysinfo::Tools tools {services.registry,
        [&](const std::string& path) { return services.files.isOrdinaryFile(fromAnsi(path)); },
        [&](const std::string& path) { return services.starter.start(fromAnsi(path), {}); },
        [&](const std::string& text, const std::string& title) {
            services.messages.show(
                window(), fromAnsi(text), fromAnsi(title), MessageDialog::Icon::None);
        },
        {}};
#ifndef Q_OS_WIN
    tools.startOwnTool = [&] {
        const QStringList command = systemInfoToolCommand();
        return !command.isEmpty() && services.starter.start(command.first(), command.mid(1));
    };
#endif
    sysinfo::StartSysInfo(tools);
}
