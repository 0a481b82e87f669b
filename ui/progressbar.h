#pragma once
#include <QProgressBar>

namespace ui {

// A progress bar from 0 to 100 that keeps fractions of a percent: the Qt bar holds
// integers, so its range is scaled instead of cutting the value. A screen reader reads the
// percentage itself, as last set, from 0 to 100.
class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    static constexpr int kScale = 1000000;
    explicit ProgressBar(QWidget* parent = nullptr);
    // Values outside 0..100 are shown at the nearest end. The bar is redrawn only when its
    // filled length changes by a whole pixel.
    void setPercent(float value);
    // What a screen reader reads: the value set, within 0..100, in its shortest decimal form
    // (71.37 rather than the single-precision 71.370003).
    double shownPercent() const;

private:
    float m_value = 0.0f;
};

} // namespace ui
