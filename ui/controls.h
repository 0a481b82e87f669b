#pragma once
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <optional>
#include <utility>

#include "ui/progressbar.h"

// The control kinds the windows are built from, each with the events the windows handle.
namespace ui {

// `role` of the widget's palette in colour `bgr`, for every colour group, and read back.
void setRoleColor(QWidget* w, QPalette::ColorRole role, quint32 bgr);
quint32 roleColor(const QWidget* w, QPalette::ColorRole role);

// A label: click and double-click, opaque or transparent. A link label takes its hover
// colour while the pointer is over it and its resting colour again when the pointer crosses
// the window's background (the window calls rest()).
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    // How its text is laid out: aligned, and wrapped at word boundaries where it wraps.
    int textFlags() const { return int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0); }
    // Smaller type, down to 8 pixels, until the whole text fits.
    void fitText();
    // The colour under the pointer; the text's own colour is the one at rest.
    void setHoverColor(quint32 hover);
    void rest();
signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    bool m_pressed = false;
    bool m_afterDoubleClick = false;
    std::optional<std::pair<quint32, quint32>> m_link; // resting and hover colours
};

// A text box whose limit holds for the user's input only, however it arrives (typing,
// paste, drag and drop, middle-click, input method): control characters are dropped, and
// what goes beyond the limit, counted in characters as a reader sees them, is cut off the
// end of the new text. Text set by the program is never cut.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);
    void setTypedLimit(int chars) { m_typedLimit = chars; }
    // The user's edit turned the box's text into `after` with the cursor at `cursor` (just
    // past the new text); cuts `after` to the limit.
    void cutToLimit(QString& after, int& cursor) const;

protected:
    bool event(QEvent* e) override;

private:
    void remember();
    int m_typedLimit = 0; // 0: no limit
    // The text and selection before the user's next edit.
    qsizetype m_length = 0;
    qsizetype m_selected = 0;
    bool m_userInput = false; // inside the handling of an event: the user's edit
};

// A command button in the graphical style: a flat face in exactly its own colour inside a
// plain raised edge, sunken while pressed, its text in its own font. The default button
// has a dark outline, the focused one a dotted focus rectangle.
class Button : public QPushButton {
    Q_OBJECT
public:
    explicit Button(QWidget* parent = nullptr);
    // Where the text may stand, inside the edge and the default button's outline.
    QRect textRect() const { return rect().adjusted(3, 3, -3, -3); }

protected:
    void paintEvent(QPaintEvent* e) override;
};

// A drop-down list the user can only pick from, its face flat in exactly its own colour
// inside the frame the text boxes have, with the arrow at its right end.
class ComboList : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    // Where the chosen item's text is drawn.
    QRect fieldRect() const;

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace ui
