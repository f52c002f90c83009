#include "icons.h"

#include <QPainter>

namespace art {
namespace {

using namespace palette;

void personShape(QPainter& p, const Ramp& ramp)
{
    flat(p, ellipse(QRectF(5.5, 1.5, 5, 5)), ramp);
    QPainterPath body;
    body.moveTo(2.5, 14.5);
    body.lineTo(2.5, 12.0);
    body.cubicTo(2.5, 9.0, 4.5, 7.5, 8.0, 7.5);
    body.cubicTo(11.5, 7.5, 13.5, 9.0, 13.5, 12.0);
    body.lineTo(13.5, 14.5);
    body.closeSubpath();
    flat(p, body, ramp);
}

void robotHead(QPainter& p)
{
    p.fillRect(QRectF(2, 7, 1, 3), slate.base);
    p.fillRect(QRectF(14, 7, 1, 3), slate.base);
    p.setPen(QPen(slate.dark, 1.0));
    p.drawLine(QPointF(8.5, 4), QPointF(8.5, 2.5));
    flat(p, ellipse(QRectF(7, 0.5, 3, 3)), scarlet.light, scarlet.dark);
    flat(p, roundedRect(QRectF(3.5, 4.5, 10, 10), 2), aluminium.base, slate.dark);
    p.fillRect(QRectF(5, 7, 2, 2), sky.base);
    p.fillRect(QRectF(10, 7, 2, 2), sky.base);
    p.fillRect(QRectF(6, 11, 5, 1), slate.base);
}

void eye(QPainter& p, const Ramp& iris)
{
    QPainterPath lid;
    lid.moveTo(2.5, 8);
    lid.quadTo(8, 0.5, 13.5, 8);
    lid.quadTo(8, 15.5, 2.5, 8);
    flat(p, lid, paper, ink);
    flat(p, ellipse(QRectF(5, 5, 6, 6)), iris.base, iris.dark);
    p.fillRect(QRectF(7, 7, 2, 2), ink);
    p.fillRect(QRectF(9, 6, 1, 1), paper);
}

QPainterPath bubble()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(2.5, 2.5, 11, 9), 3, 3);
    path.moveTo(5.0, 10.5);
    path.lineTo(4.5, 14.5);
    path.lineTo(9.0, 10.5);
    path.closeSubpath();
    return path.simplified();
}

void chatDots(QPainter& p, const QColor& color)
{
    p.fillRect(QRectF(4, 6, 2, 2), color);
    p.fillRect(QRectF(7, 6, 2, 2), color);
    p.fillRect(QRectF(10, 6, 2, 2), color);
}

// A playing card standing upright, used by all the card icons.
void card(QPainter& p, const QRectF& rect, const QColor& face)
{
    flat(p, roundedRect(rect, 1.5), paper, slate.base);
    p.fillRect(rect.adjusted(1.5, 1.5, -1.5, -1.5), face);
}

// A stopwatch whose ring and glyph tell what happens when the turn timer runs out.
void stopwatch(QPainter& p, const Ramp& ramp, std::initializer_list<const char*> glyph)
{
    p.fillRect(QRectF(6, 0, 3, 1), ink);
    p.fillRect(QRectF(7, 1, 1, 2), ink);
    flat(p, ellipse(QRectF(1.5, 2.5, 12, 12)), ramp.base, ramp.dark);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawEllipse(QRectF(3.5, 4.5, 8, 8));
    pixels(p, 5, 6, ramp.dark, glyph);
}

void pawn(QPainter& p, const Ramp& ramp)
{
    QPainterPath path;
    path.addEllipse(QRectF(4.5, 1.5, 5, 5));
    QPainterPath body;
    body.moveTo(2.5, 14.5);
    body.lineTo(2.5, 12.5);
    body.lineTo(5.0, 11.0);
    body.lineTo(5.5, 6.5);
    body.lineTo(8.5, 6.5);
    body.lineTo(9.0, 11.0);
    body.lineTo(11.5, 12.5);
    body.lineTo(11.5, 14.5);
    body.closeSubpath();
    flat(p, path.united(body), ramp.base, ramp.dark);
}

} // namespace

std::vector<Picture> listIcons()
{
    const QSize size(16, 16);
    auto icon = [&](const char* name, std::function<void(QPainter&)> draw) {
        return Picture{QStringLiteral("Icons/%1.png").arg(QLatin1String(name)), size, true,
                       std::move(draw)};
    };

    std::vector<Picture> icons;
    icons.push_back(icon("Running", [](QPainter& p) {
        flat(p, ellipse(QRectF(1.5, 1.5, 13, 13)), chameleon.base, chameleon.dark);
        p.setPen(Qt::NoPen);
        p.setBrush(paper);
        p.drawPath(polygon({{6, 4.5}, {11.5, 8}, {6, 11.5}}));
    }));
    icons.push_back(icon("Waiting", [](QPainter& p) {
        flat(p, ellipse(QRectF(1.5, 1.5, 13, 13)), orange.light, orange.dark);
        p.fillRect(QRectF(7, 4, 2, 5), paper);
        p.fillRect(QRectF(7, 7, 4, 2), paper);
    }));
    icons.push_back(icon("Player", [](QPainter& p) { personShape(p, sky); }));
    icons.push_back(icon("Ghost", [](QPainter& p) {
        QPainterPath path;
        path.moveTo(3.5, 14.5);
        path.lineTo(3.5, 6.5);
        path.arcTo(QRectF(3.5, 1.5, 9, 10), 180, -180);
        path.lineTo(12.5, 14.5);
        path.lineTo(11.0, 13.0);
        path.lineTo(9.5, 14.5);
        path.lineTo(8.0, 13.0);
        path.lineTo(6.5, 14.5);
        path.lineTo(5.0, 13.0);
        path.closeSubpath();
        flat(p, path, paper, slate.base);
        p.fillRect(QRectF(6, 5, 1, 3), ink);
        p.fillRect(QRectF(9, 5, 1, 3), ink);
    }));
    icons.push_back(icon("Robot", robotHead));
    icons.push_back(icon("Observer", [](QPainter& p) { eye(p, sky); }));
    icons.push_back(icon("PlaceBeforeAttack", [](QPainter& p) {
        pawn(p, scarlet);
        p.fillRect(QRectF(11, 1, 2, 6), chameleon.dark);
        p.fillRect(QRectF(9, 3, 6, 2), chameleon.dark);
    }));
    icons.push_back(icon("Capitals", [](QPainter& p) {
        // Drawn pixel by pixel: a smooth star this small blurs into a blob.
        outlined(p, 2, 1, butter.light, butter.dark,
                 {"......#......", ".....###.....", ".....###.....", "....#####....",
                  "#############", ".###########.", "..#########..", "...#######...",
                  "...#######...", "..####.####..", "..###...###..", ".###.....###.",
                  ".#.........#."});
    }));
    icons.push_back(icon("Blind", [](QPainter& p) {
        eye(p, aluminium);
        forbid(p);
    }));
    icons.push_back(icon("IncreasingCards", [](QPainter& p) {
        card(p, QRectF(2.5, 3.5, 7, 11), sky.light);
        flat(
            p,
            polygon(
                {{12, 1.5}, {14.5, 5.5}, {13, 5.5}, {13, 13.5}, {11, 13.5}, {11, 5.5}, {9.5, 5.5}}),
            chameleon.base, chameleon.dark);
    }));
    icons.push_back(icon("Gift", [](QPainter& p) {
        p.setPen(QPen(butter.dark, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(4.5, 1.5, 3, 3));
        p.drawEllipse(QRectF(8.5, 1.5, 3, 3));
        flat(p, roundedRect(QRectF(3.5, 7.5, 9, 7), 0.5), scarlet.light, scarlet.dark);
        flat(p, roundedRect(QRectF(2.5, 4.5, 11, 3), 0.5), scarlet.light, scarlet.dark);
        p.fillRect(QRectF(7, 5, 2, 9), butter.base);
    }));
    icons.push_back(icon("NoWhispering", [](QPainter& p) {
        flat(p, bubble(), paper, slate.base);
        chatDots(p, slate.light);
        forbid(p);
    }));
    icons.push_back(icon("HideCards", [](QPainter& p) {
        flat(p, roundedRect(QRectF(3.5, 1.5, 9, 13), 1.5), sky.base, sky.dark);
        pixels(p, 6, 4, paper, {".##.", "#..#", "...#", "..#.", ".#..", "....", ".#.."});
    }));
    icons.push_back(icon("SameHosts", [](QPainter& p) {
        auto monitor = [&p](qreal x, qreal y) {
            flat(p, roundedRect(QRectF(x + 0.5, y + 0.5, 8, 6), 0.5), sky.light, ink);
            p.fillRect(QRectF(x + 4, y + 7, 1, 2), ink);
            p.fillRect(QRectF(x + 2, y + 9, 5, 1), ink);
        };
        monitor(5, 1);
        monitor(1, 5);
    }));
    icons.push_back(icon("Cards", [](QPainter& p) {
        card(p, QRectF(2.5, 1.5, 7, 11), sky.light);
        card(p, QRectF(6.5, 3.5, 7, 11), scarlet.light);
    }));
    icons.push_back(icon("Ladder", [](QPainter& p) {
        for (int x : {3, 11}) {
            p.fillRect(QRectF(x, 1, 1, 14), chocolate.base);
            p.fillRect(QRectF(x + 1, 1, 1, 14), chocolate.dark);
        }
        for (int y : {3, 7, 11}) {
            p.fillRect(QRectF(5, y, 6, 1), chocolate.light);
            p.fillRect(QRectF(5, y + 1, 6, 1), chocolate.base);
        }
    }));
    icons.push_back(icon("NoBots", [](QPainter& p) {
        robotHead(p);
        forbid(p);
    }));
    icons.push_back(icon("TimerMode1", [](QPainter& p) {
        stopwatch(p, scarlet, {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"});
    }));
    icons.push_back(icon("TimerMode2", [](QPainter& p) {
        stopwatch(p, orange, {".###.", "....#", "..##.", ".....", "..#.."});
    }));
    icons.push_back(icon("TimerMode3", [](QPainter& p) {
        stopwatch(p, chameleon, {"..#..", "...#.", "#####", "...#.", "..#.."});
    }));
    icons.push_back(icon("Arrow", [](QPainter& p) {
        flat(p,
             polygon({{1.5, 5.5},
                      {7.5, 5.5},
                      {7.5, 1.5},
                      {14.5, 8},
                      {7.5, 14.5},
                      {7.5, 10.5},
                      {1.5, 10.5}}),
             orange.base, orange.dark);
    }));
    icons.push_back(icon("Card", [](QPainter& p) {
        // The player list draws one per card 11 pixels apart: the card keeps to
        // the first ten columns.
        flat(p, roundedRect(QRectF(0.5, 1.5, 9, 13), 1.5), paper, sky.dark);
        p.fillRect(QRectF(2, 3, 6, 10), sky.light);
    }));
    icons.push_back(icon("Chat", [](QPainter& p) {
        flat(p, bubble(), orange.light, orange.dark);
        chatDots(p, ink);
    }));
    icons.push_back(
        icon("NoChat", [](QPainter& p) { flat(p, bubble(), aluminium.base, slate.light); }));
    return icons;
}

} // namespace art
