#include "playerlist.h"

#include "namecolour.h"
#include "sharppixmap.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace {

// The narrowest each column may be; the number columns grow with the font so
// that a four-digit rating never runs into the level.
constexpr int MinimumWidths[PlayerList::Columns - 1] = {16, 17, 80, 30, 10, 30};
constexpr int CardSpacing = 11;
// The cards column keeps room for this many cards however long the names;
// more cards than its width holds are drawn closer together.
constexpr int CardsShown = 4;
constexpr int NarrowestCardSpacing = 4;

QPixmap loadIcon(const QString& name)
{
    return sharpPixmap(QStringLiteral("Icons/%1.png").arg(name), qApp->devicePixelRatio());
}

QColor nameColor(const PlayerEntry& entry)
{
    return nameColour(entry.admin, entry.isFriend, entry.isEnemy, Qt::black);
}

} // namespace

PlayerList::PlayerList(QWidget* parent)
    : QWidget(parent), m_ownSeats(std::make_unique<SeatTable>()),
      m_ownColours(std::make_unique<SeatColors>()), m_seats(*m_ownSeats), m_colours(*m_ownColours),
      m_arrow(loadIcon(QStringLiteral("Arrow"))), m_card(loadIcon(QStringLiteral("Card")))
{
    init();
}

PlayerList::PlayerList(SeatTable& seats, SeatColors& colours, QWidget* parent)
    : QWidget(parent), m_seats(seats), m_colours(colours),
      m_arrow(loadIcon(QStringLiteral("Arrow"))), m_card(loadIcon(QStringLiteral("Card")))
{
    init();
}

void PlayerList::init()
{
    setObjectName(QStringLiteral("PlayerList"));
    setMinimumSize(300, 50);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_seats, &SeatTable::changed, this, [this] {
        // A longer name may want a wider list.
        updateGeometry();
        update();
    });
    connect(&m_colours, &SeatColors::backgroundChanged, this, qOverload<>(&PlayerList::update));
}

QSize PlayerList::sizeHint() const
{
    const int width = otherColumns() + std::max(MinimumWidths[2], longestName() + 4) + cardsRoom();
    return {std::max(360, width), Seats * (fontMetrics().height() + 6)};
}

int PlayerList::otherColumns() const
{
    int width = 0;
    for (int c = 0; c < Columns - 1; ++c)
        width += c == 2 ? 0 : fixedWidth(c);
    return width;
}

int PlayerList::cardsRoom() const
{
    return CardsShown * CardSpacing + fontMetrics().horizontalAdvance(QStringLiteral("+00"));
}

int PlayerList::longestName() const
{
    int longest = 0;
    for (int seat = 0; seat < Seats; ++seat) {
        if (const PlayerEntry* e = entry(seat))
            longest = std::max(longest, fontMetrics().horizontalAdvance(e->name));
    }
    return longest;
}

void PlayerList::setSeatColor(int seat, const QColor& colour)
{
    m_colours.setBackground(seat, colour);
}

QColor PlayerList::seatColor(int seat) const
{
    return SeatTable::isSeat(seat) ? m_colours.background(seat) : QColor(Qt::white);
}

QColor PlayerList::seatColorOf(const QString& name, bool humansOnly) const
{
    return seatColor(seatOf(name, humansOnly));
}

int PlayerList::fixedWidth(int column) const
{
    static const QString Samples[] = {QString(),
                                      QString(),
                                      QString(),
                                      QStringLiteral("0000"),
                                      QStringLiteral("00"),
                                      QStringLiteral("0000")};
    if (column == 2) {
        // As wide as the longest name, as far as the cards leave room.
        const int room = width() - otherColumns() - cardsRoom();
        return std::max(MinimumWidths[2], std::min(longestName() + 4, room));
    }
    const QString& sample = Samples[column];
    const int needed = sample.isEmpty() ? 0 : fontMetrics().horizontalAdvance(sample) + 6;
    return std::max(MinimumWidths[column], needed);
}

int PlayerList::columnX(int column) const
{
    int x = 0;
    for (int c = 0; c < column && c < Columns - 1; ++c)
        x += fixedWidth(c);
    return x;
}

int PlayerList::columnWidth(int column) const
{
    if (column < Columns - 1)
        return fixedWidth(column);
    return std::max(width() - columnX(Columns - 1), 10);
}

void PlayerList::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const int rowH = rowHeight();
    for (int seat = 0; seat < Seats; ++seat) {
        for (int column = 0; column < Columns; ++column) {
            const QRect cell(columnX(column), seat * rowH, columnWidth(column), rowH);
            if (!event->rect().intersects(cell))
                continue;
            painter.save();
            painter.setClipRect(cell);
            painter.translate(cell.topLeft());
            paintCell(painter, seat, column, QRect(QPoint(0, 0), cell.size()));
            painter.restore();
        }
    }
    // Rows share the height evenly; what the division leaves over stays blank.
    const QRect rest(0, Seats * rowH, width(), height() - Seats * rowH);
    if (!rest.isEmpty())
        painter.fillRect(rest, palette().base());
}

bool PlayerList::event(QEvent* event)
{
    // A name cut short shows whole in its tooltip.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int seat = help->pos().y() / rowHeight();
        const PlayerEntry* e = entry(seat);
        const bool onName = help->pos().x() >= columnX(2) && help->pos().x() < columnX(3);
        if (e && onName && fontMetrics().horizontalAdvance(e->name) > columnWidth(2))
            QToolTip::showText(help->globalPos(), e->name, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void PlayerList::paintCell(QPainter& painter, int seat, int column, const QRect& cell)
{
    const QColor background = palette().color(QPalette::Base);
    painter.fillRect(cell, background);
    const PlayerEntry* e = entry(seat);
    const int baseline = painter.fontMetrics().ascent() + 3;

    switch (column) {
    case 0:
        if (seat != current())
            return;
        if (!m_arrow.isNull()) {
            painter.drawPixmap(0, 3, m_arrow);
        } else {
            QPainterPath arrow;
            arrow.moveTo(2, 3);
            arrow.lineTo(13, 9);
            arrow.lineTo(2, 15);
            arrow.closeSubpath();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.fillPath(arrow, Qt::black);
        }
        return;
    case 1:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::black);
        painter.setBrush(seatColor(seat));
        painter.drawEllipse(QRect(2, 3, 12, 12));
        return;
    default:
        break;
    }
    if (!e)
        return;
    painter.setPen(nameColor(*e));
    switch (column) {
    case 2:
        painter.drawText(0, baseline,
                         painter.fontMetrics().elidedText(e->name, Qt::ElideRight, cell.width()));
        break;
    case 3:
        painter.drawText(0, baseline, QString::number(e->rating));
        break;
    case 4:
        painter.drawText(0, baseline, QString::number(e->level));
        break;
    case 5:
        painter.drawText(0, baseline, QString::number(e->games));
        break;
    default:
        paintCards(painter, *e, cell);
        break;
    }
}

void PlayerList::paintCards(QPainter& painter, const PlayerEntry& entry, const QRect& cell)
{
    const QString armies =
        entry.cardArmies != 0 ? QStringLiteral("+%1").arg(entry.cardArmies) : QString();
    int spacing = CardSpacing;
    if (entry.cards > 1) {
        const int cardWidth = m_card.isNull() ? 9 : int(m_card.deviceIndependentSize().width());
        const int room = cell.width() - cardWidth - painter.fontMetrics().horizontalAdvance(armies);
        spacing = std::clamp(room / (entry.cards - 1), NarrowestCardSpacing, CardSpacing);
    }
    int x = 0;
    for (int i = 0; i < entry.cards && x < cell.width(); ++i, x += spacing) {
        if (!m_card.isNull()) {
            painter.drawPixmap(x, 3, m_card);
            continue;
        }
        painter.setPen(Qt::black);
        painter.setBrush(QColor(240, 230, 200));
        painter.drawRect(x, 3, 9, 12);
    }
    if (!armies.isEmpty()) {
        painter.setPen(nameColor(entry));
        painter.drawText(x, painter.fontMetrics().ascent() + 3, armies);
    }
}
