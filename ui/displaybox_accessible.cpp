#include "ui/accessiblefactory.h"
#include "ui/displaybox.h"

#include <QAccessibleWidget>

namespace ui {

namespace {

// Read by a screen reader as what it looks like: a read-only text field with its text.
class AccessibleDisplayBox final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleDisplayBox(DisplayBox* box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->text() : QAccessibleWidget::text(t);
    }
    // Nothing is selected and there is no caret: the text is only read.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int start, int end) const override
    {
        return box()->text().mid(start, end - start);
    }
    int characterCount() const override { return int(box()->text().size()); }
    QRect characterRect(int offset) const override
    {
        const QRect r = box()->characterRect(offset);
        return QRect(box()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->offsetAtPoint(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    DisplayBox* box() const { return static_cast<DisplayBox*>(object()); }
};

} // namespace

void DisplayBox::installAccessibleInterface()
{
    installAccessible<DisplayBox, AccessibleDisplayBox>();
}

} // namespace ui
