// Controls made from a layout's rows.
#include "ui/controls.h"
#include "ui/displaybox.h"
#include "ui/form.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QAccessibleEvent>
#include <QTimer>

namespace ui {

namespace {

// A control rewritten on a timer: its text and value changes reach a screen reader only
// while it has the keyboard focus, so a display rewritten every second is not read out every
// second. The screen reader still reads its current text whenever it asks for it.
const char* const kQuiet = "ui_quietUpdates";

QAccessible::UpdateHandler previousHandler = nullptr;
void filterUpdate(QAccessibleEvent* event);

bool isChangeOfContent(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::NameChanged:
    case QAccessible::ValueChanged:
    case QAccessible::TextUpdated:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextCaretMoved:
    case QAccessible::VisibleDataChanged:
        return true;
    default:
        return false;
    }
}

void filterUpdate(QAccessibleEvent* event)
{
    const auto* w = qobject_cast<const QWidget*>(event->object());
    if (w && w->property(kQuiet).toBool() && !w->hasFocus() && isChangeOfContent(event->type()))
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
    static const bool installed = [] {
        previousHandler = QAccessible::installUpdateHandler(filterUpdate);
        return true;
    }();
    Q_UNUSED(installed);
    w->setProperty(kQuiet, true);
}

QObject* makeWidget(QWidget* parent, const WindowLayout& form, Kind kind, const ControlRow& row)
{
    const QRect rect = pxRect(row.left, row.top, row.width, row.height);
    const QString text = QString::fromUtf8(row.text);
    auto place = [&](QWidget* w) {
        w->setGeometry(rect);
        w->setFont(makeFont(row.font.face ? row.font : form.font));
    };

    switch (kind) {
    case Kind::Label: {
        auto* l = new Label(parent);
        place(l);
        l->setText(text);
        l->setAlignment(row.align);
        l->setWordWrap(row.wordWrap);
        l->setBackColor(row.back == kDefault ? form.back : quint32(row.back));
        if (row.fore != kDefault)
            l->setForeColor(quint32(row.fore));
        l->setAutoFillBackground(!row.transparent);
        // The faces standing in for a layout's own may be wider than those.
        l->fitText();
        return l;
    }
    case Kind::DisplayBox: {
        auto* d = new DisplayBox(parent);
        place(d);
        d->setText(text);
        d->setAlignment(row.align);
        if (row.back != kDefault)
            d->setBackColor(quint32(row.back));
        return d;
    }
    case Kind::TextBox: {
        auto* t = new TextBox(parent);
        place(t);
        t->setText(text);
        t->setTypedLimit(row.typedLimit);
        t->setAlignment(row.align);
        if (row.back != kDefault)
            t->setBackColor(quint32(row.back));
        return t;
    }
    case Kind::Button: {
        auto* b = new Button(parent);
        place(b);
        b->setText(text);
        b->fitText();
        if (row.back != kDefault)
            b->setFaceColor(quint32(row.back));
        return b;
    }
    case Kind::ComboList: {
        auto* c = new ComboList(parent);
        place(c);
        if (row.back != kDefault)
            c->setBackColor(quint32(row.back));
        return c;
    }
    case Kind::ProgressBar: {
        auto* p = new ProgressBar(parent);
        p->setGeometry(rect);
        return p;
    }
    case Kind::Picture: {
        auto* p = new Picture(parent);
        p->setGeometry(rect);
        if (row.back != kDefault)
            p->setBackColor(quint32(row.back));
        return p;
    }
    case Kind::Line:
        return new Line(parent, row.left, row.top, row.width, row.height,
            row.fore == kDefault ? 0u : quint32(row.fore), row.lineWidth);
    case Kind::Shape: {
        auto* s = new Shape(parent, row.fore == kDefault ? 0u : quint32(row.fore));
        s->setGeometry(rect);
        return s;
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

} // namespace

QObject* createControl(
    QWidget* window, const WindowLayout& form, Kind kind, const char* name, const ControlRow& row)
{
    QObject* made = makeWidget(window, form, kind, row);
    made->setObjectName(QString::fromLatin1(name));
    if (auto* w = qobject_cast<QWidget*>(made)) {
        if (row.cursor)
            w->setCursor(row.cursor());
        if (row.accessibleName)
            w->setAccessibleName(QString::fromUtf8(row.accessibleName));
        if (row.quietUpdates)
            announceOnlyWhenFocused(w);
    }
    if (auto* link = qobject_cast<Label*>(made); link && row.hoverFore != kDefault)
        link->setLinkColors(quint32(row.fore), quint32(row.hoverFore));
    return made;
}

} // namespace ui
