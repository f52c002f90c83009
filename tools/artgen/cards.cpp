#include "cards.h"

#include <QPainter>

namespace art {
namespace {

using namespace palette;

const QSize cardSize(90, 130);

// Maps a drawing with the given bounds into the box, keeping its shape.
QTransform fit(const QRectF& bounds, const QRectF& box)
{
    const qreal scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform;
}

QPainterPath glyph(char32_t codePoint)
{
    QPainterPath path;
    path.addText(0, 0, font(QStringLiteral("DejaVu Sans"), 100, false),
                 QString::fromUcs4(&codePoint, 1));
    return path;
}

QPainterPath cannon()
{
    QPainterPath barrel;
    barrel.moveTo(-30, -9);
    barrel.lineTo(34, -6);
    barrel.lineTo(34, -8.5);
    barrel.lineTo(41, -8.5);
    barrel.lineTo(41, 8.5);
    barrel.lineTo(34, 8.5);
    barrel.lineTo(34, 6);
    barrel.lineTo(-30, 9);
    barrel.arcTo(QRectF(-39, -9, 18, 18), 270, -180);
    barrel.closeSubpath();
    barrel.addEllipse(QPointF(-41, 0), 4, 4);
    QTransform tilt;
    tilt.translate(48, 46);
    tilt.rotate(-22);
    QPainterPath path = tilt.map(barrel).simplified();

    path = path.united(polygon({{40, 54}, {54, 62}, {16, 90}, {6, 86}}));
    QPainterPath wheel;
    wheel.addEllipse(QPointF(52, 68), 19, 19);
    QPainterPath rim;
    rim.addEllipse(QPointF(52, 68), 14, 14);
    path = path.subtracted(rim).united(wheel.subtracted(rim));
    for (int spoke = 0; spoke < 4; ++spoke) {
        QTransform turn;
        turn.translate(52, 68);
        turn.rotate(spoke * 45);
        path = path.united(turn.map(roundedRect(QRectF(-15, -2, 30, 4), 1)));
    }
    path.addEllipse(QPointF(52, 68), 5, 5);
    for (QPointF ball : {QPointF(80, 82), QPointF(94, 82), QPointF(87, 70)})
        path = path.united(ellipse(QRectF(ball.x() - 6.5, ball.y() - 6.5, 13, 13)));
    return path.simplified();
}

// A foot soldier with spear and round shield; the shield is returned apart so
// it can be drawn in a lighter shade over the body.
QPainterPath soldier()
{
    QPainterPath path;
    path.addEllipse(QPointF(45, 24), 9, 9);
    path = path.united(ellipse(QRectF(29, 13, 32, 8)));
    QPainterPath dome;
    dome.moveTo(35, 17);
    dome.arcTo(QRectF(35, 6, 20, 22), 180, -180);
    dome.closeSubpath();
    path = path.united(dome);
    path = path.united(polygon({{29, 36}, {61, 36}, {65, 66}, {25, 66}}));
    path = path.united(roundedRect(QRectF(36, 32, 18, 6), 3));
    path = path.united(polygon({{58, 40}, {76, 44}, {76, 50}, {58, 48}}));
    path = path.united(polygon({{29, 64}, {44, 64}, {42, 98}, {30, 98}}));
    path = path.united(polygon({{46, 64}, {61, 64}, {60, 98}, {48, 98}}));
    path = path.united(roundedRect(QRectF(72, 8, 5, 92), 1));
    path = path.united(polygon({{74.5, -6}, {81, 10}, {68, 10}}));
    return path.simplified();
}

QPainterPath shield()
{
    QPainterPath path;
    path.addEllipse(QPointF(33, 54), 18, 18);
    return path;
}

void jester(QPainter& p, const QRectF& box)
{
    QPainterPath left;
    left.moveTo(26, 72);
    left.quadTo(18, 46, 6, 32);
    left.quadTo(30, 36, 42, 70);
    left.closeSubpath();
    QPainterPath middle;
    middle.moveTo(38, 70);
    middle.quadTo(38, 34, 50, 10);
    middle.quadTo(62, 34, 62, 70);
    middle.closeSubpath();
    QPainterPath right;
    right.moveTo(74, 72);
    right.quadTo(82, 46, 94, 32);
    right.quadTo(70, 36, 58, 70);
    right.closeSubpath();
    QPainterPath band = roundedRect(QRectF(20, 68, 60, 14), 4);
    QPainterPath bells;
    for (QPointF tip : {QPointF(6, 32), QPointF(50, 10), QPointF(94, 32)})
        bells.addEllipse(tip, 6.5, 6.5);

    QPainterPath all = left.united(middle).united(right).united(band).united(bells);
    const QRectF bounds = all.boundingRect();
    const qreal scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    p.save();
    p.translate(box.center());
    p.scale(scale, scale);
    p.translate(-bounds.center());
    const qreal line = 1.6 / scale;
    auto part = [&](const QPainterPath& path, const Ramp& ramp) {
        p.setPen(QPen(ink, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(ramp.base);
        p.drawPath(path);
    };
    part(left, plum);
    part(right, plum);
    part(middle, Ramp{butter.light, butter.dark, chocolate.dark});
    part(band, scarlet);
    for (QPointF tip : {QPointF(6, 32), QPointF(94, 32)}) {
        part(ellipse(QRectF(tip.x() - 6.5, tip.y() - 6.5, 13, 13)),
             Ramp{butter.light, butter.dark, chocolate.dark});
    }
    part(ellipse(QRectF(50 - 6.5, 10 - 6.5, 13, 13)), plum);
    p.restore();
}

// The face every card shares: cream paper with a frame and a soft tint of the
// card's colour, so the kinds tell apart at a glance.
void face(QPainter& p, const Ramp& ramp)
{
    flat(p, roundedRect(QRectF(0.5, 0.5, cardSize.width() - 1, cardSize.height() - 1), 7), cream,
         ink);
    QColor tint = ramp.light;
    tint.setAlpha(60);
    p.setPen(QPen(ramp.dark, 1.5));
    p.setBrush(tint);
    p.drawRoundedRect(QRectF(5.5, 5.5, cardSize.width() - 11, cardSize.height() - 11), 4, 4);
}

void silhouette(QPainter& p, const QPainterPath& figure, const Ramp& ramp,
                const QPainterPath& detail = QPainterPath())
{
    const QRectF bounds = figure.united(detail).boundingRect();
    const QTransform centre = fit(bounds, QRectF(13, 31, 64, 68));
    p.setPen(QPen(ramp.dark, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(ramp.base);
    p.drawPath(centre.map(figure));
    if (!detail.isEmpty()) {
        p.setBrush(ramp.light);
        p.drawPath(centre.map(detail));
        const QPointF boss = centre.map(detail.boundingRect().center());
        p.setBrush(ramp.dark);
        p.drawEllipse(boss, 3, 3);
    }

    // Small copies in two corners, the lower one upside down, as on playing cards.
    p.setPen(Qt::NoPen);
    p.setBrush(ramp.dark);
    const QTransform corner = fit(bounds, QRectF(8, 8, 20, 20));
    const QPainterPath small = corner.map(figure.united(detail));
    p.drawPath(small);
    p.save();
    p.translate(cardSize.width(), cardSize.height());
    p.rotate(180);
    p.drawPath(small);
    p.restore();
}

Picture card(const char* name, std::function<void(QPainter&)> draw)
{
    return Picture{QStringLiteral("Cards/%1.png").arg(QLatin1String(name)), cardSize, true,
                   std::move(draw)};
}

} // namespace

std::vector<Picture> cardPictures()
{
    std::vector<Picture> cards;
    cards.push_back(card("Horseman", [](QPainter& p) {
        face(p, sky);
        silhouette(p, glyph(U'\u265E'), sky);
    }));
    cards.push_back(card("Cannon", [](QPainter& p) {
        face(p, scarlet);
        silhouette(p, cannon(), scarlet);
    }));
    cards.push_back(card("Footman", [](QPainter& p) {
        face(p, chameleon);
        silhouette(p, soldier(), chameleon, shield());
    }));
    cards.push_back(card("Joker", [](QPainter& p) {
        face(p, plum);
        jester(p, QRectF(11, 33, 68, 64));
        for (auto [corner, angle] : {std::pair{QPointF(0, 0), 0}, {QPointF(90, 130), 180}}) {
            p.save();
            p.translate(corner);
            p.rotate(angle);
            jester(p, QRectF(8, 8, 20, 20));
            p.restore();
        }
    }));
    return cards;
}

} // namespace art
