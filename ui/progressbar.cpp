#include "ui/progressbar.h"

#include "ui/accessiblefactory.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QPalette>

#include <charconv>
#include <cmath>
#include <iterator>

namespace ui {

namespace {

// The bar as a screen reader meets it: its value is read from the bar each time, so it is the
// one the last tick set, although the Qt value moves only with the fill.
class AccessibleBar final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleBar(ProgressBar* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) { }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override
    {
        return static_cast<const ProgressBar*>(object())->shownPercent();
    }
    void setCurrentValue(const QVariant&) override { } // the program's to set, not the user's
    QVariant maximumValue() const override { return 100.0; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 1.0; }
};

} // namespace

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent)
{
    installAccessible<ProgressBar, AccessibleBar>();
    setRange(0, 100 * kScale);
    setTextVisible(false);
    // The same in an inactive window: Windows' palette greys an inactive window's highlight,
    // which fills the bar.
    QPalette p = palette();
    p.setColor(
        QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    setPalette(p);
}

double ProgressBar::shownPercent() const
{
    char digits[32];
    double decimal = 0.0;
    std::from_chars(digits,
        std::to_chars(digits, std::end(digits), qBound(0.0f, m_value, 100.0f)).ptr, decimal);
    return decimal;
}

void ProgressBar::setPercent(float value)
{
    if (value == m_value)
        return;
    m_value = value;
    const double percent = shownPercent();
    if (QAccessible::isActive()) {
        // Heard only while the user is on the bar (the program's quiet updates).
        QAccessibleValueChangeEvent changed(this, percent);
        QAccessible::updateAccessibility(&changed);
    }
    const int raw = int(std::lround(percent * kScale));
    // The bar moves a pixel every few hours: between those moments nothing is redrawn.
    const auto filled = [this](int v) { return qint64(v) * width() / (100LL * kScale); };
    const int shown = QProgressBar::value();
    if (raw != shown && (filled(raw) != filled(shown) || raw == 0 || raw == maximum())) {
        setValue(raw);
        // QProgressBar repaints by itself only once the fill has grown by a whole chunk
        // (nine pixels), although the bar is drawn without chunks: show each pixel it moves.
        update();
    }
}

} // namespace ui
