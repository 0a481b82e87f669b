#include "ui/displaybox.h"

#include "ui/stylecache.h"

#include <QAccessible>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {

namespace {

// A read-only text box's panel, as such a box describes it to the style.
QStyleOptionFrame panelOption(const QWidget* box)
{
    QStyleOptionFrame panel;
    panel.initFrom(box);
    panel.rect = box->contentsRect();
    panel.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, box);
    panel.midLineWidth = 0;
    panel.state |= QStyle::State_Sunken | QStyle::State_ReadOnly;
    panel.features = QStyleOptionFrame::None;
    return panel;
}

// A text box keeps its text this far inside its contents.
constexpr int kHorizontalMargin = 2;
constexpr int kVerticalMargin = 1;

} // namespace

DisplayBox::DisplayBox(QWidget* parent) : QWidget(parent)
{
    installAccessibleInterface();
    // Pointer movement stays with the control, as with every control.
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::NoFocus);
    setStyle(cachedPanelStyle());
}

void DisplayBox::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void DisplayBox::setText(const QString& text)
{
    if (text == m_text)
        return;
    const QString before = std::exchange(m_text, text);
    if (m_stale)
        update();
    else
        repaintChanged(before);
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent changed(this, 0, before, text);
        QAccessible::updateAccessibility(&changed);
    }
}

// Lays out the new text at once and repaints only what changed in the line drawn before.
void DisplayBox::repaintChanged(const QString& before)
{
    qsizetype same = 0; // characters alike at the start, then at the end
    while (same < m_text.size() && same < before.size() && m_text[same] == before[same])
        ++same;
    qsizetype sameEnd = 0;
    while (sameEnd < m_text.size() - same && sameEnd < before.size() - same
        && m_text[m_text.size() - 1 - sameEnd] == before[before.size() - 1 - sameEnd])
        ++sameEnd;
    const QPoint oldOrigin = origin();
    const qreal oldFrom = cursorX(int(same));
    const qreal oldTo = cursorX(int(before.size() - sameEnd));

    layOut();
    const qreal to = cursorX(int(m_text.size() - sameEnd));
    const QPoint at = origin();
    if (at != oldOrigin || std::abs(to - oldTo) > 1e-3) {
        update(); // the line moved: all of it
    } else {
        // Only the characters between the unchanged ends, and a little on either side for
        // glyphs that reach beyond their cells.
        const qreal from = std::min(oldFrom, cursorX(int(same)));
        const int left = at.x() + int(std::floor(from)) - 2;
        const int right = at.x() + int(std::ceil(std::max(oldTo, to))) + 2;
        update(QRect(left, 0, right - left, height()) & contents());
    }
}

qreal DisplayBox::cursorX(int offset) const
{
    if (!m_plain)
        return m_layout.lineAt(0).cursorToX(offset);
    // A plain line's cursor stands where its glyph starts, and at the end after the last.
    const QList<QPointF> at = m_runs[0].positions();
    return offset < at.size() ? at[std::max(offset, 0)].x() : m_width;
}

void DisplayBox::layOut() const
{
    m_stale = false;
    m_plain = layOutPlain();
    if (!m_plain) {
        // A new text is laid out every second. Plain ASCII in a fixed-pitch face has no
        // kerning, ligatures or marks to place, so it skips text shaping and looks just the
        // same. One font serves every plain text, the empty one too: each other font is
        // matched anew.
        QFont unshaped = font();
        unshaped.setStyleStrategy(
            QFont::StyleStrategy(font().styleStrategy() | QFont::PreferNoShaping));
        const bool plain
            = std::all_of(m_text.cbegin(), m_text.cend(), [](QChar c) { return c < u'\x80'; });
        if (plain && !m_text.isEmpty() && !m_fixedPitch)
            m_fixedPitch = QFontInfo(unshaped).fixedPitch(); // asked once a font, not every tick
        const bool noShaping = plain && (m_text.isEmpty() || *m_fixedPitch);
        m_layout.setFont(noShaping ? unshaped : font());
        QTextOption option;
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        option.setTextDirection(layoutDirection());
        m_layout.setTextOption(option);
        m_layout.setCacheEnabled(true);
        m_layout.setText(m_text);
        m_layout.beginLayout();
        m_layout.createLine();
        m_layout.endLayout();
        m_runs = m_layout.glyphRuns();
        m_inks.clear();
        for (const QGlyphRun& run : std::as_const(m_runs)) {
            const QRawFont font = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> at = run.positions();
            for (qsizetype i = 0; i < glyphs.size(); ++i)
                m_inks.append(font.boundingRect(glyphs[i]).translated(at[i]));
        }
        const QTextLine line = m_layout.lineAt(0);
        const QFontMetrics metrics(m_layout.font());
        m_metrics
            = {line.ascent(), line.descent(), line.height(), metrics.ascent(), metrics.height()};
        m_width = line.naturalTextWidth();
        // The next plain line in this face is laid out from it, one glyph a character.
        if (noShaping && m_runs.size() == 1 && m_runs[0].glyphIndexes().size() == m_text.size())
            m_face = Face {m_runs[0], m_metrics, {}};
    }
    // The glyphs' ink gives the text's own height and, at a paint, which glyphs reach into the
    // part repainted. From the baseline: a text's bounds hold at least its font's line, glyphs
    // beyond it add.
    qreal top = m_runs.isEmpty() ? 0 : -m_metrics.ascent,
          bottom = m_runs.isEmpty() ? 0 : m_metrics.descent;
    for (const QRectF& ink : std::as_const(m_inks)) {
        top = std::min(top, ink.top() - m_metrics.ascent);
        bottom = std::max(bottom, ink.bottom() - m_metrics.ascent);
    }
    m_textHeight = qRound(bottom - top);
}

// A printable ASCII line in a face a plain line was laid out in goes glyph by glyph, each
// where the one before it ends, as the unshaped layout puts them, without a text layout.
bool DisplayBox::layOutPlain() const
{
    if (!m_face || m_text.isEmpty() || layoutDirection() != Qt::LeftToRight)
        return false;
    const qsizetype n = m_text.size();
    QList<quint32> glyphs(n);
    QList<QPointF> at(n);
    m_inks.resize(n);
    qreal x = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (m_text[i] < u' ' || m_text[i] > u'~')
            return false;
        Cell& cell = m_face->cells[m_text[i].unicode()];
        if (cell.advance == 0) {
            const QRawFont font = m_face->run.rawFont();
            const QList<quint32> found = font.glyphIndexesForString(QString(m_text[i]));
            if (found.size() != 1 || found[0] == 0)
                return false; // from another face
            cell = {
                found[0], font.advancesForGlyphIndexes(found)[0].x(), font.boundingRect(found[0])};
        }
        glyphs[i] = cell.glyph;
        at[i] = {x, m_face->metrics.ascent};
        m_inks[i] = cell.ink.translated(at[i]);
        x += cell.advance;
    }
    m_runs = {m_face->run};
    m_runs[0].setGlyphIndexes(glyphs);
    m_runs[0].setPositions(at);
    m_metrics = m_face->metrics;
    m_width = x;
    return true;
}

QRect DisplayBox::contents() const
{
    const QStyleOptionFrame panel = panelOption(this);
    return style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
}

QPoint DisplayBox::origin() const
{
    // A text set before the box is first drawn, or a font set, is laid out when first needed,
    // so a window maps before its faces load.
    if (m_stale)
        layOut();
    const QRect r = contents();
    // Centred as a text box centres its text: by the taller of the font's line and the text's
    // own bounds, which some faces' bold glyphs exceed.
    const int lineHeight = std::max(m_metrics.fontHeight, m_textHeight);
    int top = r.y() + (r.height() - lineHeight + 1) / 2;
    if (m_alignment & Qt::AlignTop)
        top = r.y() + kVerticalMargin;
    else if (m_alignment & Qt::AlignBottom)
        top = r.bottom() + 1 - lineHeight - kVerticalMargin;
    const int width = r.width() - 2 * kHorizontalMargin;
    const int used = qRound(m_width) + 1;
    const Qt::Alignment across = QStyle::visualAlignment(layoutDirection(), m_alignment);
    int scroll = used - width; // too long: its end in view
    if (used <= width)
        scroll = across & Qt::AlignRight ? used - width + 1
            : across & Qt::AlignHCenter  ? (used - width) / 2
                                         : 0;
    return QPoint(r.x() + kHorizontalMargin - scroll,
        top - (qRound(m_metrics.ascent) - m_metrics.fontAscent));
}

QRect DisplayBox::characterRect(int offset) const
{
    const QPoint at = origin(); // laid out by now
    const qreal x = cursorX(offset);
    return QRectF(at + QPointF(x, 0), QSizeF(cursorX(offset + 1) - x, m_metrics.height))
        .toAlignedRect();
}

int DisplayBox::offsetAtPoint(QPoint point) const
{
    const QPoint at = point - origin(); // laid out by now
    if (at.x() < 0 || at.x() >= m_width || at.y() < 0 || at.y() >= m_metrics.height)
        return -1;
    if (!m_plain)
        return m_layout.lineAt(0).xToCursor(at.x());
    int offset = 0; // the nearest cursor, the first of two as near
    while (offset < m_text.size() && cursorX(offset + 1) - at.x() < at.x() - cursorX(offset))
        ++offset;
    return offset;
}

void DisplayBox::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    const QStyleOptionFrame panel = panelOption(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    const QRect r = contents();
    p.setClipRect(r);
    p.setPen(palette().text().color());
    // Only the glyphs whose ink, give or take the pixel a glyph drawn between pixels spreads
    // over, reaches into the part repainted: the rest of the line keeps its pixels.
    const QPoint at = origin(); // laid out by now
    const qreal left = e->rect().left() - at.x() - 2, right = e->rect().right() + 1 - at.x() + 2;
    qsizetype ink = 0;
    for (QGlyphRun run : std::as_const(m_runs)) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        QList<quint32> shownGlyphs;
        QList<QPointF> shownPositions;
        for (qsizetype i = 0; i < glyphs.size(); ++i, ++ink) {
            if (m_inks[ink].right() >= left && m_inks[ink].left() <= right) {
                shownGlyphs.append(glyphs[i]);
                shownPositions.append(positions[i]);
            }
        }
        if (shownGlyphs.isEmpty())
            continue;
        run.setGlyphIndexes(shownGlyphs);
        run.setPositions(shownPositions);
        p.drawGlyphRun(at, run);
    }
}

void DisplayBox::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::LayoutDirectionChange) {
        m_fixedPitch.reset(); // of another font
        m_face.reset(); // laid out in another font or direction
        m_stale = true;
        update();
    }
}

} // namespace ui
