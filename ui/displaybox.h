#pragma once
#include <QGlyphRun>
#include <QTextLayout>
#include <QWidget>

#include <array>
#include <optional>

namespace ui {

// A text box the program writes and the user only reads: it looks, to the pixel, like a
// read-only text box of the same font, colours and alignment, and a screen reader meets it
// as one (a read-only text field with its text). It takes no focus, so no caret blinks. A new
// text lays out once and repaints only the characters that changed when the line keeps its
// width: a countdown rewritten every second repaints its last digits, not the whole line.
class DisplayBox : public QWidget {
    Q_OBJECT
public:
    explicit DisplayBox(QWidget* parent = nullptr);
    QString text() const { return m_text; }
    void setText(const QString& text);
    void setAlignment(Qt::Alignment alignment);
    // Where the line's characters lie, for a screen reader: the box's coordinates of a
    // character, and the character at a point (-1 for none).
    QRect characterRect(int offset) const;
    int offsetAtPoint(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // Describes every box to a screen reader as a read-only text field (its own file).
    static void installAccessibleInterface();
    void layOut() const;
    bool layOutPlain() const;
    qreal cursorX(int offset) const;
    void repaintChanged(const QString& before);
    QRect contents() const;
    // The top left corner of the laid-out line, where a read-only text box puts it; the text
    // is laid out first if it changed unseen.
    QPoint origin() const;

    // A line's measures in its font: the laid-out line's, and the font's own whole pixels.
    struct Metrics {
        qreal ascent = 0, descent = 0, height = 0;
        int fontAscent = 0, fontHeight = 0;
    };
    // One printable ASCII character in the unshaped fixed-pitch face: its glyph, how far it
    // moves the line, and its ink from its own origin on the baseline.
    struct Cell {
        quint32 glyph = 0;
        qreal advance = 0; // 0 until asked
        QRectF ink;
    };
    // That face as a plain line was laid out in it: its glyphs' font and drawing flags, the
    // line's measures, and the characters met so far.
    struct Face {
        QGlyphRun run;
        Metrics metrics;
        std::array<Cell, 128> cells;
    };

    QString m_text;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    mutable bool m_stale = true; // the layout is of an earlier text or font
    mutable bool m_plain = false; // laid out from the face's cells, not by m_layout
    mutable QTextLayout m_layout;
    mutable QList<QGlyphRun> m_runs; // the line's glyphs, where they go
    mutable QList<QRectF> m_inks; // each glyph's ink, where it is laid out
    mutable Metrics m_metrics;
    mutable qreal m_width = 0; // of the laid-out line
    mutable int m_textHeight = 0; // of the text's own bounds, set with the layout
    mutable std::optional<bool> m_fixedPitch; // of the font's face, once asked
    mutable std::optional<Face> m_face; // once a plain line is laid out in it
};

} // namespace ui
