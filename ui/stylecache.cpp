#include "ui/stylecache.h"

#include <QApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace ui {

namespace {

class CachedPanelStyle final : public QProxyStyle {
public:
    // A style of the application's kind of its own, so that it can draw for this one; it goes
    // with the application, after every window.
    CachedPanelStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    {
        setParent(qApp);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override
    {
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (element != PE_PanelLineEdit || !frame) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // Keyed by everything the panel is drawn from, never by a palette's identity: the
        // numbers themselves, as the key's characters, which costs far less than formatting them.
        const QPalette& pal = option->palette;
        const qreal ratio = painter->device()->devicePixelRatio();
        const quint32 parts[] = {quint32(option->rect.width()), quint32(option->rect.height()),
            quint32(ratio * 1000), uint(option->state), quint32(frame->lineWidth),
            pal.color(QPalette::Base).rgba(), pal.color(QPalette::Window).rgba(),
            pal.color(QPalette::Highlight).rgba(), quint32(option->direction)};
        QString key = QStringLiteral("tasselday-panel");
        key.append(reinterpret_cast<const QChar*>(parts),
            qsizetype(sizeof parts / 2)); // two QChars an integer
        QPixmap panel;
        if (!QPixmapCache::find(key, &panel)) {
            panel = QPixmap(option->rect.size() * ratio);
            panel.setDevicePixelRatio(ratio);
            panel.fill(Qt::transparent);
            QStyleOptionFrame atOrigin = *frame;
            atOrigin.rect.moveTopLeft(QPoint(0, 0));
            QPainter onPanel(&panel);
            baseStyle()->drawPrimitive(element, &atOrigin, &onPanel, widget);
            onPanel.end();
            QPixmapCache::insert(key, panel);
        }
        painter->drawPixmap(option->rect.topLeft(), panel);
    }
};

} // namespace

QStyle* cachedPanelStyle()
{
    static QStyle* const style = new CachedPanelStyle;
    return style;
}

} // namespace ui
