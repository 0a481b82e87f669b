#include "ui/controls.h"

#include "ui/color.h"
#include "ui/fonts.h"
#include "ui/typedtext.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>
#include <QValidator>
#include <qdrawutil.h>

namespace ui {

void setRoleColor(QWidget* w, QPalette::ColorRole role, quint32 bgr)
{
    QPalette p = w->palette();
    p.setColor(role, fromBgr(bgr));
    w->setPalette(p);
}

quint32 roleColor(const QWidget* w, QPalette::ColorRole role)
{
    return toBgr(w->palette().color(role));
}

Label::Label(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void Label::fitText() { setFont(fittingFont(font(), text(), contentsRect(), textFlags())); }

void Label::mousePressEvent(QMouseEvent* e)
{
    m_pressed = e->button() == Qt::LeftButton;
    e->accept();
}

void Label::mouseReleaseEvent(QMouseEvent* e)
{
    // The release that ends a double-click is part of it, not a further click.
    const bool click = m_pressed && !m_afterDoubleClick && e->button() == Qt::LeftButton
        && rect().contains(e->position().toPoint());
    m_pressed = m_afterDoubleClick = false;
    e->accept();
    if (click)
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

void Label::setHoverColor(quint32 hover)
{
    m_link = {roleColor(this, QPalette::WindowText), hover};
}

void Label::rest()
{
    if (m_link)
        setRoleColor(this, QPalette::WindowText, m_link->first);
}

void Label::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    if (m_link)
        setRoleColor(this, QPalette::WindowText, m_link->second);
}

namespace {

// Lets every user edit through, cut to the box's limit.
class LimitValidator : public QValidator {
public:
    explicit LimitValidator(TextBox* box) : QValidator(box), m_box(box) { }
    State validate(QString& input, int& pos) const override
    {
        m_box->cutToLimit(input, pos);
        return Acceptable;
    }

private:
    TextBox* m_box;
};

// The style's dotted focus rectangle at `r`, over a face of colour `back`.
void drawFocusRect(const QWidget* w, QPainter& p, const QRect& r, const QColor& back)
{
    QStyleOptionFocusRect focus;
    focus.initFrom(w);
    focus.rect = r;
    focus.backgroundColor = back;
    w->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, w);
}

constexpr int kArrowWidth = 14; // a drop-down list's arrow

} // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new LimitValidator(this));
    connect(this, &QLineEdit::textChanged, this, &TextBox::remember);
    connect(this, &QLineEdit::selectionChanged, this, &TextBox::remember);
}

void TextBox::remember()
{
    m_length = text().size();
    m_selected = selectedText().size();
}

bool TextBox::event(QEvent* e)
{
    // Edits made while the box handles an event (keys, input method, drops, clicks, its
    // context menu) are the user's; setText() from the program's own code is not.
    const QScopedValueRollback<bool> inside(m_userInput, true);
    return QLineEdit::event(e);
}

void TextBox::cutToLimit(QString& after, int& cursor) const
{
    if (!m_userInput)
        return;
    // The new characters end at the cursor; whatever stood there before is kept, even when
    // the program put in more than the limit.
    const qsizetype kept = m_length - m_selected;
    const qsizetype inserted = qBound(qsizetype(0), after.size() - kept, qsizetype(cursor));
    ui::cutToLimit(after, cursor, cursor - inserted, m_typedLimit);
}

Button::Button(QWidget* parent) : QPushButton(parent) { setAutoDefault(false); }

void Button::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect r = rect();
    if (isDefault()) {
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    // A plain raised two-pixel edge: white and light grey above and left, grey and black
    // below and right; the other way round while pressed.
    QPalette edge = palette();
    edge.setColor(QPalette::Light, Qt::white);
    edge.setColor(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
    edge.setColor(QPalette::Mid, QColor(0xA0, 0xA0, 0xA0));
    edge.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    edge.setColor(QPalette::Shadow, Qt::black);
    const QBrush face = palette().brush(QPalette::Active, QPalette::Button);
    const bool sunken = isDown() || isChecked();
    qDrawWinButton(&p, r, edge, sunken, &face);

    QRect textRect = r.adjusted(2, 2, -2, -2);
    if (sunken)
        textRect.translate(1, 1);
    p.setFont(font());
    p.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
    p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    if (hasFocus())
        drawFocusRect(this, p, r.adjusted(3, 3, -3, -3), face.color());
}

QRect ComboList::fieldRect() const { return rect().adjusted(3, 2, -kArrowWidth - 1, -2); }

void ComboList::paintEvent(QPaintEvent*)
{
    // The style's own drop-down face is a shaded button; this one is the colour it was given.
    QPainter p(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = 1;
    frame.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &p, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = QRect(width() - kArrowWidth - 1, 1, kArrowWidth, height() - 2);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &p, this);
    const QRect field = fieldRect();
    p.setPen(palette().color(QPalette::Text));
    p.drawText(field, Qt::AlignLeft | Qt::AlignVCenter, currentText());
    if (hasFocus())
        drawFocusRect(this, p, field.adjusted(-1, 0, 1, 0), palette().color(QPalette::Base));
}

} // namespace ui
