#include "ui/formroles.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

namespace ui {

namespace {

Layer layerOf(const MadeControl& c)
{
    if (c.row->layer != Layer::ByKind)
        return c.row->layer;
    switch (c.kind) {
    case Kind::TextBox:
    case Kind::DisplayBox:
    case Kind::Button:
    case Kind::ComboList:
    case Kind::ProgressBar:
    case Kind::Picture:
        return Layer::Windowed;
    default:
        return Layer::Drawn;
    }
}

} // namespace

void applyStacking(const WindowLayout& window, std::span<const MadeControl> controls)
{
    // Raising in turn puts the last one raised on top.
    for (Layer layer : {Layer::Drawn, Layer::Lifted, Layer::Windowed}) {
        auto raise = [&](const MadeControl& c) {
            if (layerOf(c) == layer)
                if (auto* w = qobject_cast<QWidget*>(c.object))
                    w->raise();
        };
        if (window.stacking == StackOrder::FirstOnTop)
            std::for_each(controls.rbegin(), controls.rend(), raise);
        else
            std::for_each(controls.begin(), controls.end(), raise);
    }
}

void applyTabOrder(std::span<const MadeControl> controls)
{
    std::vector<const MadeControl*> ordered;
    for (const MadeControl& c : controls)
        if (c.row->tabIndex >= 0)
            ordered.push_back(&c);
    std::stable_sort(ordered.begin(), ordered.end(),
        [](auto* a, auto* b) { return a->row->tabIndex < b->row->tabIndex; });
    QWidget* previous = nullptr;
    for (const MadeControl* c : ordered) {
        auto* w = qobject_cast<QWidget*>(c->object);
        if (previous && w)
            QWidget::setTabOrder(previous, w);
        previous = w ? w : previous;
    }
}

KeyRoles::KeyRoles(QWidget* window, std::span<const MadeControl> controls)
    : QObject(window), m_window(window)
{
    for (const MadeControl& made : controls) {
        const ControlRow& row = *made.row;
        QObject* c = made.object;
        if (row.role == ButtonRole::Default || row.role == ButtonRole::DefaultAndCancel) {
            m_default = c;
            // Drawn as the default button.
            if (auto* b = qobject_cast<QPushButton*>(c))
                b->setDefault(true);
        }
        if (row.role == ButtonRole::Cancel || row.role == ButtonRole::DefaultAndCancel)
            m_cancel = c;
    }
    window->installEventFilter(this);
}

bool KeyRoles::eventFilter(QObject* watched, QEvent* event)
{
    // Keys reach the window only when the focused control left them alone.
    if (watched != m_window || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    auto press = [](QObject* b) {
        if (auto* button = qobject_cast<QAbstractButton*>(b)) {
            button->click();
            return true;
        }
        return false;
    };
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* focused = qobject_cast<QAbstractButton*>(m_window->focusWidget()))
            return press(focused);
        return press(m_default);
    case Qt::Key_Escape:
        return press(m_cancel);
    default:
        return false;
    }
}

} // namespace ui
