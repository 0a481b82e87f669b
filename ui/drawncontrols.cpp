// The drawn controls, which are no windows of their own: lines and the unfilled rectangle.
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QPainter>

namespace ui {

Line::Line(QWidget* parent, double x1, double y1, double x2, double y2, quint32 bgr, int width)
    : QWidget(parent), m_color(fromBgr(bgr)), m_width(width)
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

Shape::Shape(QWidget* parent, quint32 outline) : QWidget(parent), m_outline(fromBgr(outline))
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
