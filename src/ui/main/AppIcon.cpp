// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <initializer_list>
#include <map>

namespace mainwin {
namespace {

const QColor outline(0x3a, 0x25, 0x1c);
const QColor body(0xd8, 0x4a, 0x2b);
const QColor bell(0xf0, 0x9a, 0x2e);
const QColor face(0xff, 0xfb, 0xf2);
const QColor hands(0x2b, 0x2b, 0x2b);

// Below this size the bells' hammer and the legs blur into the body, so they are left out.
constexpr int smallSize = 24;

void drawBells(QPainter& painter, bool small)
{
    painter.setPen(QPen(outline, small ? 3.5 : 2.5));
    painter.setBrush(bell);
    // Domes sitting on the clock's shoulders, tilted outwards.
    for (const int side : {-1, 1}) {
        painter.save();
        painter.translate(32 + side * 17, 14);
        painter.rotate(side * 40);
        QPainterPath dome;
        dome.moveTo(-11, 4);
        dome.arcTo(QRectF(-11, -7, 22, 22), 180, -180);
        dome.closeSubpath();
        painter.drawPath(dome);
        painter.restore();
    }
    if (!small) {
        painter.setPen(QPen(outline, 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(32, 9), QPointF(32, 13));
        painter.setBrush(outline);
        painter.drawEllipse(QPointF(32, 8), 2.5, 2.5);
    }
}

void drawLegs(QPainter& painter)
{
    painter.setPen(QPen(outline, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(19, 52), QPointF(13, 60));
    painter.drawLine(QPointF(45, 52), QPointF(51, 60));
}

void drawClock(QPainter& painter, bool small)
{
    const QPointF centre(32, 35);
    painter.setPen(QPen(outline, small ? 3.5 : 2.5));
    painter.setBrush(body);
    painter.drawEllipse(centre, 23, 23);
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawEllipse(centre, small ? 15.5 : 17.5, small ? 15.5 : 17.5);

    if (!small) {
        painter.setPen(QPen(outline, 2, Qt::SolidLine, Qt::RoundCap));
        for (int hour = 0; hour < 12; hour += 3) {
            painter.save();
            painter.translate(centre);
            painter.rotate(hour * 30);
            painter.drawLine(QPointF(0, -15), QPointF(0, -12.5));
            painter.restore();
        }
    }

    // Ten past ten: the hands' V still reads as a clock at 16 pixels.
    painter.setPen(QPen(hands, small ? 5.5 : 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(-8, -5));
    painter.setPen(QPen(hands, small ? 5 : 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(10.5, -7.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawEllipse(centre, 2.2, 2.2);
}

// Two bars on a disc in the lower right corner, large enough to read at 16 pixels.
void drawPauseBadge(QPainter& painter)
{
    painter.setPen(QPen(face, 3));
    painter.setBrush(QColor(0x1f, 0x4e, 0x8c));
    painter.drawEllipse(QPointF(46, 46), 16, 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(38.5, 37, 5.5, 18), 1.5, 1.5);
    painter.drawRoundedRect(QRectF(48, 37, 5.5, 18), 1.5, 1.5);
}

} // namespace

QPixmap drawAppIcon(int size, bool paused)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    const bool small = size < smallSize;
    if (!small)
        drawLegs(painter);
    drawBells(painter, small);
    drawClock(painter, small);
    if (paused)
        drawPauseBadge(painter);
    return pixmap;
}

namespace {

// Draws a size when it is first asked for. The program starts hidden and needs only the notification
// area's size; all eight drawn up front were some 360 kB of pixels per copy of the icon.
class AppIconEngine : public QIconEngine
{
public:
    explicit AppIconEngine(bool paused) : m_paused(paused) {}
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::max(1, std::min(size.width(), size.height()));
        QPixmap& drawn = m_drawn[side];
        if (drawn.isNull())
            drawn = drawAppIcon(side, m_paused);
        return drawn;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int side : {16, 22, 24, 32, 48, 64, 128, 256})
            sizes.append(QSize(side, side));
        return sizes;
    }
    QIconEngine* clone() const override { return new AppIconEngine(*this); }
    QString key() const override { return QStringLiteral("WakeryAppIcon"); }

private:
    bool m_paused;
    std::map<int, QPixmap> m_drawn;
};

} // namespace

QIcon appIcon(bool paused)
{
    return QIcon(new AppIconEngine(paused));
}

} // namespace mainwin
