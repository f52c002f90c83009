#include "buttons.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace art {
namespace {

using namespace palette;

const Ramp steel{aluminium.light, slate.light, slate.dark};

QPainterPath personPath(qreal cx, qreal top, qreal width, qreal height)
{
    const qreal head = width * 0.5;
    QPainterPath path;
    path.addEllipse(QRectF(cx - head / 2, top, head, head));
    const qreal shoulders = top + head + 1;
    const qreal bottom = top + height;
    const qreal half = width / 2;
    QPainterPath body;
    body.moveTo(cx - half, bottom);
    body.lineTo(cx - half, shoulders + (bottom - shoulders) * 0.45);
    body.cubicTo(cx - half, shoulders + 1, cx - half * 0.6, shoulders, cx, shoulders);
    body.cubicTo(cx + half * 0.6, shoulders, cx + half, shoulders + 1, cx + half,
                 shoulders + (bottom - shoulders) * 0.45);
    body.lineTo(cx + half, bottom);
    body.closeSubpath();
    return path.united(body);
}

void users(QPainter& p)
{
    shaded(p, personPath(21, 3.5, 17, 22), chameleon);
    shaded(p, personPath(12, 6.5, 18, 22), sky);
}

QPainterPath bubble(const QRectF& rect, bool tailLeft)
{
    QPainterPath path;
    path.addRoundedRect(rect, 5, 5);
    QPainterPath tail;
    const qreal y = rect.bottom() - 1;
    if (tailLeft) {
        const qreal x = rect.left() + 4;
        tail = polygon({{x, y}, {x - 1, y + 6}, {x + 6, y}});
    } else {
        const qreal x = rect.right() - 4;
        tail = polygon({{x, y}, {x + 1, y + 6}, {x - 6, y}});
    }
    return path.united(tail);
}

void chat(QPainter& p)
{
    shaded(p, bubble(QRectF(10.5, 2.5, 19, 13), false), sky);
    flat(p, bubble(QRectF(2.5, 10.5, 20, 13), true), paper, slate.dark);
    p.setPen(Qt::NoPen);
    p.setBrush(slate.base);
    for (qreal x : {7.0, 12.5, 18.0})
        p.drawEllipse(QPointF(x, 17), 1.6, 1.6);
}

void robot(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.drawLine(QPointF(16, 8), QPointF(16, 4.5));
    shaded(p, ellipse(QRectF(13.5, 1.5, 5, 5)), scarlet);
    shaded(p, roundedRect(QRectF(2.5, 13.5, 3, 8), 1), steel);
    shaded(p, roundedRect(QRectF(26.5, 13.5, 3, 8), 1), steel);
    shaded(p, roundedRect(QRectF(5.5, 7.5, 21, 20), 4), steel);
    shaded(p, ellipse(QRectF(9.5, 12.5, 5, 5)), sky);
    shaded(p, ellipse(QRectF(17.5, 12.5, 5, 5)), sky);
    flat(p, roundedRect(QRectF(10.5, 20.5, 11, 4), 1), ink, ink);
    p.setPen(QPen(aluminium.dark, 1.0));
    for (qreal x : {13.5, 16.0, 18.5})
        p.drawLine(QPointF(x, 21), QPointF(x, 24));
}

QPainterPath pawnPath()
{
    QPainterPath path;
    path.addEllipse(QRectF(8.5, 5.5, 9, 9));
    return path.united(polygon(
        {{4.5, 28.5}, {4.5, 25}, {9, 22}, {10, 14}, {16, 14}, {17, 22}, {21.5, 25}, {21.5, 28.5}}));
}

QPainterPath rightArrow(qreal left, qreal right, qreal centre, qreal shaft, qreal head)
{
    const qreal neck = right - head;
    return polygon({{left, centre - shaft / 2},
                    {neck, centre - shaft / 2},
                    {neck, centre - head},
                    {right, centre},
                    {neck, centre + head},
                    {neck, centre + shaft / 2},
                    {left, centre + shaft / 2}});
}

// A sword pointing up with its hilt at the bottom, drawn around the origin.
void sword(QPainter& p, qreal angle)
{
    p.save();
    p.translate(16, 16);
    p.rotate(angle);
    p.scale(1.15, 1.15);
    shaded(p, polygon({{-2.5, -9}, {0, -14}, {2.5, -9}, {2.5, 5}, {-2.5, 5}}), steel);
    shaded(p, roundedRect(QRectF(-6.5, 5, 13, 3), 1.5), butter);
    shaded(p, QPainterPath(roundedRect(QRectF(-1.5, 8, 3, 5), 0.5)), chocolate);
    shaded(p, ellipse(QRectF(-2.5, 12.5, 5, 5)), butter);
    p.restore();
}

void playingCard(QPainter& p, qreal angle, const Ramp& ramp)
{
    p.save();
    p.translate(16, 30);
    p.rotate(angle);
    flat(p, roundedRect(QRectF(-6.5, -26.5, 13, 19), 2), paper, slate.dark);
    shaded(p, star(QPointF(0, -17), 4, 4.5, 2.0, 0), ramp);
    p.restore();
}

QPainterPath gear(QPointF centre, int teeth, qreal outer, qreal inner, qreal hole)
{
    QPainterPath path;
    const qreal step = 2 * std::numbers::pi / teeth;
    for (int i = 0; i < teeth; ++i) {
        const qreal a = i * step;
        const qreal corners[4][2] = {{a - step * 0.30, inner},
                                     {a - step * 0.17, outer},
                                     {a + step * 0.17, outer},
                                     {a + step * 0.30, inner}};
        for (const auto& corner : corners) {
            const QPointF point(centre.x() + corner[1] * std::sin(corner[0]),
                                centre.y() - corner[1] * std::cos(corner[0]));
            if (i == 0 && &corner == &corners[0])
                path.moveTo(point);
            else
                path.lineTo(point);
        }
    }
    path.closeSubpath();
    QPainterPath bore;
    bore.addEllipse(centre, hole, hole);
    return path.subtracted(bore);
}

void pips(QPainter& p, const QRectF& die, std::initializer_list<QPointF> where, const QColor& color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    for (const QPointF& at : where)
        p.drawEllipse(QPointF(die.left() + at.x() * die.width(), die.top() + at.y() * die.height()),
                      1.7, 1.7);
}

} // namespace

std::vector<Picture> toolbarButtons()
{
    auto button = [](const char* key, std::function<void(QPainter&)> draw) {
        return Picture{QStringLiteral("Buttons/%1.png").arg(QLatin1String(key)), QSize(32, 32),
                       true, std::move(draw)};
    };

    std::vector<Picture> buttons;
    buttons.push_back(button("Chat", chat));
    buttons.push_back(button("Users", users));
    buttons.push_back(button("Leave", [](QPainter& p) {
        shaded(p, roundedRect(QRectF(3.5, 3.5, 14, 25), 1), chocolate);
        flat(p, roundedRect(QRectF(6.5, 6.5, 8, 8), 0.5), chocolate.light, chocolate.dark);
        shaded(p, ellipse(QRectF(12, 16, 3, 3)), butter);
        shaded(p, rightArrow(13.5, 29.5, 20, 6, 7.5), scarlet);
    }));
    buttons.push_back(button("Start", [](QPainter& p) {
        shaded(p, ellipse(QRectF(2.5, 2.5, 27, 27)), chameleon);
        p.setPen(Qt::NoPen);
        p.setBrush(paper);
        p.drawPath(polygon({{12, 8.5}, {23.5, 16}, {12, 23.5}}));
    }));
    buttons.push_back(button("Place", [](QPainter& p) {
        shaded(p, pawnPath(), scarlet);
        shaded(p, ellipse(QRectF(18.5, 2.5, 11, 11)), chameleon);
        p.fillRect(QRectF(23, 4.5, 2, 7), paper);
        p.fillRect(QRectF(20.5, 7, 7, 2), paper);
    }));
    buttons.push_back(button("Attack", [](QPainter& p) { sword(p, 45); }));
    buttons.push_back(button("DoOrDie", [](QPainter& p) {
        shaded(p, star(QPointF(16, 15), 9, 15, 9, 0.17),
               Ramp{butter.light, orange.base, orange.dark});
        sword(p, 45);
        sword(p, -45);
    }));
    buttons.push_back(button("Move", [](QPainter& p) {
        shaded(p, pawnPath(), scarlet);
        shaded(p, rightArrow(14.5, 30, 19, 6, 7.5), sky);
    }));
    buttons.push_back(button("Finish", [](QPainter& p) {
        p.fillRect(QRectF(4, 4, 3, 26), ink);
        shaded(p, ellipse(QRectF(3, 1.5, 5, 5)), butter);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 4; ++column) {
                const QColor color = (row + column) % 2 == 0 ? ink : paper;
                p.fillRect(QRectF(7 + column * 5, 5 + row * 5, 5, 5), color);
            }
        }
        p.setPen(QPen(ink, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(7.5, 5.5, 20, 15));
    }));
    buttons.push_back(button("Store", [](QPainter& p) {
        shaded(p, polygon({{3.5, 3.5}, {25, 3.5}, {28.5, 7}, {28.5, 28.5}, {3.5, 28.5}}), sky);
        flat(p, roundedRect(QRectF(9.5, 3.5, 13, 9), 0.5), aluminium.base, slate.dark);
        p.fillRect(QRectF(18, 5, 2, 6), slate.base);
        flat(p, roundedRect(QRectF(7.5, 16.5, 17, 12), 1), paper, sky.dark);
        p.fillRect(QRectF(10, 20, 12, 1), aluminium.dark);
        p.fillRect(QRectF(10, 24, 12, 1), aluminium.dark);
    }));
    buttons.push_back(button("Cards", [](QPainter& p) {
        playingCard(p, -24, sky);
        playingCard(p, 0, chameleon);
        playingCard(p, 24, scarlet);
    }));
    buttons.push_back(button(
        "Config", [](QPainter& p) { shaded(p, gear(QPointF(16, 16), 8, 13.5, 9.5, 4), steel); }));
    buttons.push_back(button("Robot", robot));
    return buttons;
}

std::vector<Picture> windowIcons()
{
    auto window = [](const char* name, std::function<void(QPainter&)> draw) {
        return Picture{QStringLiteral("WinIcons/%1.png").arg(QLatin1String(name)), QSize(32, 32),
                       true, std::move(draw)};
    };

    std::vector<Picture> icons;
    icons.push_back(window("Bomb", [](QPainter& p) {
        p.setPen(QPen(chocolate.dark, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath fuse;
        fuse.moveTo(20, 9);
        fuse.cubicTo(21, 4, 24, 3, 26, 6);
        p.drawPath(fuse);
        shaded(p, star(QPointF(26.5, 5.5), 6, 5, 2, 0),
               Ramp{butter.light, orange.base, orange.dark});
        p.save();
        p.translate(19, 11);
        p.rotate(40);
        shaded(p, roundedRect(QRectF(-3.5, -3, 7, 6), 1), steel);
        p.restore();
        QRadialGradient body(QPointF(11, 16), 16, QPointF(9, 14));
        body.setColorAt(0.0, slate.light);
        body.setColorAt(1.0, ink);
        p.setPen(QPen(QColor(0x10, 0x12, 0x14), 1.0));
        p.setBrush(body);
        p.drawEllipse(QRectF(2.5, 8.5, 21, 21));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawEllipse(QRectF(7, 12.5, 5, 3.5));
    }));
    icons.push_back(window("Users", users));
    icons.push_back(window("Login", [](QPainter& p) {
        p.translate(9.5, 9.5);
        p.rotate(45);
        QPainterPath key;
        key.addEllipse(QPointF(0, 0), 7, 7);
        key = key.united(roundedRect(QRectF(5, -2, 20, 4), 1));
        key = key.united(QPainterPath(roundedRect(QRectF(16, 1, 3, 5), 0.5)));
        key = key.united(QPainterPath(roundedRect(QRectF(21, 1, 3, 6), 0.5)));
        QPainterPath hole;
        hole.addEllipse(QPointF(-1.5, 0), 2.5, 2.5);
        shaded(p, key.subtracted(hole), Ramp{butter.light, butter.dark, chocolate.dark});
    }));
    icons.push_back(window("Dice", [](QPainter& p) {
        const QRectF back(13.5, 2.5, 16, 16);
        shaded(p, roundedRect(back, 3), scarlet);
        pips(p, back, {{0.25, 0.25}, {0.5, 0.5}, {0.75, 0.75}}, paper);
        const QRectF front(2.5, 13.5, 16, 16);
        shaded(p, roundedRect(front, 3), Ramp{paper, aluminium.base, slate.dark});
        pips(p, front, {{0.25, 0.25}, {0.75, 0.25}, {0.5, 0.5}, {0.25, 0.75}, {0.75, 0.75}}, ink);
    }));
    icons.push_back(window("Robot", robot));
    icons.push_back(window("Chat", chat));
    return icons;
}

} // namespace art
