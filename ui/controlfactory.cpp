// Controls made from a layout's rows.
#include "ui/controls.h"
#include "ui/displaybox.h"
#include "ui/form.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QAccessibleEvent>
#include <QList>
#include <QTimer>

#include <algorithm>

namespace ui {

namespace {

// A control rewritten on a timer: its text and value changes reach a screen reader only
// while it has the keyboard focus, so a display rewritten every second is not read out every
// second. The screen reader still reads its current text whenever it asks for it.
const char* const kQuiet = "ui_quietUpdates";

QAccessible::UpdateHandler previousHandler = nullptr;

void filterUpdate(QAccessibleEvent* event)
{
    using A = QAccessible;
    static constexpr QAccessible::Event changesOfContent[] = {A::NameChanged, A::ValueChanged,
        A::TextUpdated, A::TextInserted, A::TextRemoved, A::TextCaretMoved, A::VisibleDataChanged};
    const auto* w = qobject_cast<const QWidget*>(event->object());
    if (w && w->property(kQuiet).toBool() && !w->hasFocus()
        && std::ranges::count(changesOfContent, event->type()))
        return;
    if (previousHandler) {
        previousHandler(event);
        return;
    }
    // No handler before ours: let the platform's bridge have the event.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(filterUpdate);
}

void announceOnlyWhenFocused(QWidget* w)
{
    [[maybe_unused]] static const bool installed
        = (previousHandler = QAccessible::installUpdateHandler(filterUpdate), true);
    w->setProperty(kQuiet, true);
}

// Fusion keeps the faces it draws for a drop-down list under the identity of the list's
// palette. Each new window resolves new palettes, so every dialog opened would leave one more
// face in the cache, kept until the cache is full (10 MB). A complete palette (nothing left to
// take from the window), shared by all controls of the same colours, keeps one identity: a
// dialog opened again finds the faces drawn before.
QPalette sharedPalette(QPalette palette)
{
    for (int g = 0; g < QPalette::NColorGroups; ++g)
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto group = QPalette::ColorGroup(g);
            const auto role = QPalette::ColorRole(r);
            palette.setBrush(group, role, palette.brush(group, role));
        }
    static QList<QPalette> known;
    for (const QPalette& same : std::as_const(known))
        if (same == palette)
            return same;
    known.append(palette);
    return palette;
}

} // namespace

QObject* createControl(QWidget* parent, const WindowLayout& form, Kind kind, const ControlRow& row)
{
    const QString text = QString::fromUtf8(row.text);
    // Every windowed control takes its place, back colour (in `back`, its palette's role for
    // it), text colour, pointer, accessible name and quiet updates from the row, and all but the
    // picture and the bar their font as well. It keeps pointer movement to itself, so the window
    // hears only movement over its bare background.
    const auto placed = [&](auto* w, QPalette::ColorRole back, bool withFont = true) {
        w->setGeometry(pxRect(row.left, row.top, row.width, row.height));
        if (withFont)
            w->setFont(makeFont(row.font.face ? row.font : form.font));
        if (row.back != kDefault)
            setRoleColor(w, back, quint32(row.back));
        if (row.fore != kDefault)
            setRoleColor(w, w->foregroundRole(), quint32(row.fore));
        if (row.cursor)
            w->setCursor(row.cursor());
        if (row.accessibleName)
            w->setAccessibleName(QString::fromUtf8(row.accessibleName));
        if (row.quietUpdates)
            announceOnlyWhenFocused(w);
        w->setMouseTracking(true);
        w->setAttribute(Qt::WA_NoMousePropagation);
        return w;
    };
    const auto boxed = [&](auto* box, QPalette::ColorRole back) {
        placed(box, back)->setText(text);
        box->setAlignment(row.align);
        return box;
    };

    // Lines and frames are drawn on the window in the row's colour; the pointer passes through.
    const auto drawn = [&](QWidget* w, const QRect& place, QPalette::ColorRole role) {
        w->setGeometry(place);
        setRoleColor(w, role, quint32(row.fore));
        w->setAutoFillBackground(role == QPalette::Window);
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
        return w;
    };

    switch (kind) {
    case Kind::Label: {
        auto* l = boxed(new Label(parent), QPalette::Window);
        l->setWordWrap(row.wordWrap);
        l->setAutoFillBackground(row.back != kDefault);
        if (row.hoverFore != kDefault)
            l->setHoverColor(quint32(row.hoverFore));
        return l;
    }
    case Kind::DisplayBox:
        return boxed(new DisplayBox(parent), QPalette::Base);
    case Kind::TextBox: {
        auto* t = boxed(new TextBox(parent), QPalette::Base);
        t->setTypedLimit(row.typedLimit);
        return t;
    }
    case Kind::Button: {
        auto* b = placed(new Button(parent), QPalette::Button);
        b->setText(text);
        b->setProperty(
            kCancels, row.role == ButtonRole::Cancel || row.role == ButtonRole::DefaultAndCancel);
        // Drawn as the default button.
        b->setDefault(row.role == ButtonRole::Default || row.role == ButtonRole::DefaultAndCancel);
        return b;
    }
    case Kind::ComboList: {
        // Its face in the base colour too, in a palette shared by every list of its colours.
        auto* list = placed(new ComboList(parent), QPalette::Base);
        QPalette face = list->palette();
        if (row.back != kDefault)
            face.setColor(QPalette::Button, face.color(QPalette::Base));
        list->setPalette(sharedPalette(face));
        return list;
    }
    case Kind::ProgressBar:
        return placed(new ProgressBar(parent), QPalette::Window, false);
    case Kind::Picture: {
        // At its natural size inside a 2-pixel sunken border, never stretched.
        auto* picture = placed(new Picture(parent), QPalette::Window, false);
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setLineWidth(2);
        picture->setAutoFillBackground(row.back != kDefault);
        return picture;
    }
    case Kind::Line: {
        // Across, `lineWidth` pixel rows from (left, top) to (width, top), both ends included.
        const QPoint from(px(row.left), px(row.top));
        const QPoint to(px(row.width), from.y() + row.lineWidth - 1);
        return drawn(new QWidget(parent), QRect(from, to), QPalette::Window);
    }
    case Kind::Shape: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain); // one pixel wide
        return drawn(frame, pxRect(row.left, row.top, row.width, row.height), QPalette::WindowText);
    }
    case Kind::Timer: {
        auto* t = new QTimer(parent);
        // A coarse timer may drift by 5% and skip a displayed second.
        t->setTimerType(Qt::PreciseTimer);
        return t;
    }
    }
    return nullptr;
}

} // namespace ui
