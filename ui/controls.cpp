#include "ui/controls.h"

#include "ui/color.h"
#include "ui/twips.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace ui {

namespace {

// Every control keeps pointer movement to itself, so the window hears only movement over
// its bare background.
void ownPointerMoves(QWidget* w)
{
    w->setMouseTracking(true);
    w->setAttribute(Qt::WA_NoMousePropagation);
}

void setRole(QWidget* w, QPalette::ColorRole role, quint32 bgr)
{
    QPalette p = w->palette();
    p.setColor(role, vbColor(bgr));
    w->setPalette(p);
}

quint32 roleColor(const QWidget* w, QPalette::ColorRole role)
{
    return vbColorOf(w->palette().color(role));
}

} // namespace

Label::Label(QWidget* parent) : QLabel(parent)
{
    ownPointerMoves(this);
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
}

void Label::setForeColor(quint32 bgr) { setRole(this, QPalette::WindowText, bgr); }
quint32 Label::foreColor() const { return roleColor(this, QPalette::WindowText); }
void Label::setBackColor(quint32 bgr) { setRole(this, QPalette::Window, bgr); }
quint32 Label::backColor() const { return roleColor(this, QPalette::Window); }
void Label::setTransparent(bool transparent) { setAutoFillBackground(!transparent); }

void Label::mousePressEvent(QMouseEvent* e)
{
    m_pressed = e->button() == Qt::LeftButton;
    e->accept();
}

void Label::mouseReleaseEvent(QMouseEvent* e)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    e->accept();
    // The release that ends a double-click is part of it, not a further click.
    if (m_afterDoubleClick) {
        m_afterDoubleClick = false;
        return;
    }
    if (wasPressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

void Label::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
    if (e->button() != Qt::LeftButton)
        return;
    m_afterDoubleClick = true;
    emit doubleClicked();
}

void Label::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    emit mouseMoved();
}

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    ownPointerMoves(this);
}

void TextBox::setBackColor(quint32 bgr) { setRole(this, QPalette::Base, bgr); }

bool TextBox::roomFor(int incoming) const
{
    if (m_typedLimit <= 0)
        return true;
    return text().size() - selectedText().size() + incoming <= m_typedLimit;
}

void TextBox::keyPressEvent(QKeyEvent* e)
{
    if (e == QKeySequence::Paste) {
        const QString pasted = QApplication::clipboard()->text();
        if (!roomFor(int(pasted.size())))
            return;
    } else {
        const QString typed = e->text();
        const bool printable = !typed.isEmpty() && typed.at(0).isPrint()
            && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (printable && !roomFor(int(typed.size())))
            return;
    }
    QLineEdit::keyPressEvent(e);
}

Button::Button(QWidget* parent) : QPushButton(parent)
{
    ownPointerMoves(this);
    setAutoDefault(false);
}

void Button::setFaceColor(quint32 bgr) { setRole(this, QPalette::Button, bgr); }
quint32 Button::faceColor() const { return roleColor(this, QPalette::Button); }

ComboList::ComboList(QWidget* parent) : QComboBox(parent)
{
    ownPointerMoves(this);
    setEditable(false);
}

void ComboList::setBackColor(quint32 bgr)
{
    setRole(this, QPalette::Button, bgr);
    setRole(this, QPalette::Base, bgr);
}

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent)
{
    ownPointerMoves(this);
    setRange(0, 100 * kScale);
    setTextVisible(false);
    setOrientation(Qt::Horizontal);
}

void ProgressBar::setPercent(float value)
{
    m_value = value;
    const double clamped = qBound(0.0, double(value), 100.0);
    const int raw = int(std::lround(clamped * kScale));
    // The bar moves a pixel every few hours: between those moments nothing is redrawn.
    const auto filled = [this](int v) { return qint64(v) * width() / (100LL * kScale); };
    const int shown = QProgressBar::value();
    if (raw != shown && (filled(raw) != filled(shown) || raw == 0 || raw == maximum()))
        setValue(raw);
}

Picture::Picture(QWidget* parent) : QLabel(parent)
{
    ownPointerMoves(this);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(false);
}

void Picture::setPicture(const QPixmap& pixmap) { setPixmap(pixmap); }

void Picture::setBackColor(quint32 bgr)
{
    setRole(this, QPalette::Window, bgr);
    setAutoFillBackground(true);
}

Line::Line(QWidget* parent, double x1, double y1, double x2, double y2, quint32 bgr, int width)
    : QWidget(parent), m_color(vbColor(bgr)), m_width(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QPoint a(px(x1), px(y1)), b(px(x2), px(y2));
    const QRect box = QRect(a, b).normalized().adjusted(0, 0, width, width);
    setGeometry(box);
    m_from = a - box.topLeft();
    m_to = b - box.topLeft();
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // A width-w line covers w pixel rows (or columns) starting at its coordinate.
    for (int i = 0; i < m_width; ++i) {
        const QPoint shift = m_from.y() == m_to.y() ? QPoint(0, i) : QPoint(i, 0);
        p.setPen(QPen(m_color, 1));
        p.drawLine(m_from + shift, m_to + shift);
    }
}

Shape::Shape(QWidget* parent, quint32 outline) : QWidget(parent), m_outline(vbColor(outline))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(m_outline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace ui
