// drawline OUT.ppm TEXT: the main window's time-left box as a read-only text box of its row's
// face, colours and size shows TEXT, drawn into OUT.ppm. Run in the scenario's prefix, beside
// the installed program, so that the faces and Qt are the program's own: the scenarios compare
// the box on screen with it to read the time left, which Wine offers no other way to read.
#include "app/frmtasselday.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <QApplication>
#include <QImage>

#include <algorithm>

namespace {
struct Box {
    ui::TextBox* txtDisplay;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const auto rows = layout::frmTasseldayControls();
    const auto box = std::find_if(rows.begin(), rows.end(),
        [](const auto& r) { return qstrcmp(r.control.name, "txtDisplay") == 0; });
    if (box == rows.end())
        return 1;
    // An ordinary text box in the program's place, made read-only once it is there.
    ui::ControlRow look = box->look;
    const QByteArray text = QByteArray(argv[2]);
    look.text = text.constData();
    const ui::Row<Box> one[] = {{UI_CONTROL(Box, txtDisplay), look}};
    ui::FormOf<Box> form(layout::frmTasselday, one);
    form.load();
    ui::TextBox* edit = form.controls().txtDisplay;
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit->grab()
               .toImage()
               .convertToFormat(QImage::Format_RGB888)
               .save(QString::fromLocal8Bit(argv[1]), "PPM")
        ? 0
        : 1;
}
