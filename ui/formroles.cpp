#include "ui/formroles.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

namespace ui {

namespace {

Layer layerOf(const ControlRow& row)
{
    if (row.layer != Layer::ByKind)
        return row.layer;
    switch (row.kind) {
    case Kind::TextBox:
    case Kind::Button:
    case Kind::ComboList:
    case Kind::ProgressBar:
    case Kind::Picture:
        return Layer::Windowed;
    default:
        return Layer::Drawn;
    }
}

QWidget* widget(const Controls& controls, const ControlRow& row)
{
    return qobject_cast<QWidget*>(controls.value(QString::fromLatin1(row.name)));
}

} // namespace

void applyStacking(
    const WindowLayout& window, std::span<const ControlRow> rows, const Controls& controls)
{
    // Raising in turn puts the last one raised on top.
    for (Layer layer : {Layer::Drawn, Layer::Lifted, Layer::Windowed}) {
        auto raise = [&](const ControlRow& row) {
            if (layerOf(row) == layer)
                if (QWidget* w = widget(controls, row))
                    w->raise();
        };
        if (window.stacking == StackOrder::FirstOnTop)
            std::for_each(rows.rbegin(), rows.rend(), raise);
        else
            std::for_each(rows.begin(), rows.end(), raise);
    }
}

void applyTabOrder(std::span<const ControlRow> rows, const Controls& controls)
{
    std::vector<const ControlRow*> ordered;
    for (const ControlRow& row : rows)
        if (row.tabIndex >= 0)
            ordered.push_back(&row);
    std::stable_sort(
        ordered.begin(), ordered.end(), [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlRow* row : ordered) {
        QWidget* w = widget(controls, *row);
        if (previous && w)
            QWidget::setTabOrder(previous, w);
        previous = w ? w : previous;
    }
}

KeyRoles::KeyRoles(QWidget* window, std::span<const ControlRow> rows, const Controls& controls)
    : QObject(window), m_window(window)
{
    for (const ControlRow& row : rows) {
        QObject* c = controls.value(QString::fromLatin1(row.name));
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
