#pragma once
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QString>

// Writes that leave a control alone when it already shows the value: a refresh that runs
// every second must not repaint, relayout or notify for what did not change on screen.
namespace ui {

inline void setTextIfChanged(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}

inline void setTextIfChanged(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

inline void setFontIfChanged(QWidget* w, const QFont& font)
{
    if (w->font() != font)
        w->setFont(font);
}

} // namespace ui
