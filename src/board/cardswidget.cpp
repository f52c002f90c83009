#include "cardswidget.h"

#include "cardset.h"
#include "gameitem.h"
#include "sharppixmap.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

namespace {

const char* const PictureFiles[] = {"Cards/Horseman.png", "Cards/Cannon.png", "Cards/Footman.png",
                                    "Cards/Joker.png"};

// Used for the layout when the joker picture is missing.
constexpr QSize FallbackCardSize(90, 130);
// The selection frame lies this far outside the picture.
constexpr int FrameMargin = 2;
// A slot holds a framed card and two pixels between neighbours.
constexpr int SlotMargin = 2 * FrameMargin + 2;
// However short the room, the cards keep half their size.
constexpr qreal SmallestScale = 0.5;

} // namespace

CardsWidget::CardsWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CardsWidget"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Only the joker's size is read now: the pictures are decoded when the
    // first card is drawn, not while the program starts.
    const QSize joker = sharpPixmapSize(QLatin1String(PictureFiles[Joker]));
    m_cardSize = joker.isEmpty() ? FallbackCardSize : joker;
}

void CardsWidget::loadOriginals()
{
    if (m_originalsLoaded)
        return;
    // The large pictures, whatever the screen: shrunk cards are drawn from them.
    for (size_t code = 0; code < m_originals.size(); ++code)
        m_originals[code] = sharpPixmap(QLatin1String(PictureFiles[code]), 2);
    m_originalsLoaded = true;
}

QSize CardsWidget::cardSizeFor(QSize widget) const
{
    const qreal byWidth = qreal(widget.width() / Slots - SlotMargin) / m_cardSize.width();
    const qreal byHeight = qreal(widget.height() - CardTop - FrameMargin) / m_cardSize.height();
    const qreal scale = std::clamp(std::min(byWidth, byHeight), SmallestScale, 1.0);
    if (scale == 1.0)
        return m_cardSize;
    return (QSizeF(m_cardSize) * scale).toSize();
}

void CardsWidget::preparePictures(QSize card, qreal devicePixelRatio)
{
    loadOriginals();
    for (size_t code = 0; code < m_pictures.size(); ++code) {
        const QLatin1String file(PictureFiles[code]);
        if (card == m_cardSize || m_originals[code].isNull()) {
            m_pictures[code] = sharpPixmap(file, devicePixelRatio);
            continue;
        }
        const qreal scale = qreal(card.width()) / m_cardSize.width();
        const QSizeF own = m_originals[code].deviceIndependentSize() * scale * devicePixelRatio;
        m_pictures[code] =
            m_originals[code].scaled(own.toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_pictures[code].setDevicePixelRatio(devicePixelRatio);
    }
    m_pictureSize = card;
    m_pictureRatio = devicePixelRatio;
}

QSize CardsWidget::sizeHint() const
{
    // As wide as five cards of full size; once the layout has given less
    // width, only as high as the cards that width leaves, so that a narrow
    // window keeps the height for the board.
    const QSize full(Slots * (m_cardSize.width() + SlotMargin),
                     CardTop + m_cardSize.height() + FrameMargin);
    if (width() < minimumSizeHint().width() || width() >= full.width())
        return full;
    return {full.width(),
            CardTop + cardSizeFor(QSize(width(), full.height())).height() + FrameMargin};
}

QSize CardsWidget::minimumSizeHint() const
{
    // Five framed cards of the smallest size side by side, below the option
    // strip.
    const QSize card = (QSizeF(m_cardSize) * SmallestScale).toSize();
    return {Slots * (card.width() + SlotMargin), CardTop + card.height() + FrameMargin};
}

void CardsWidget::resizeEvent(QResizeEvent* event)
{
    // The height asked for follows the width given.
    if (event->oldSize().width() != width())
        updateGeometry();
    QWidget::resizeEvent(event);
}

bool CardsWidget::isValidSelection() const
{
    const QList<int> chosen = selectedIndexes();
    return chosen.size() == 3 &&
           Rules::isSet(m_cards[chosen[0]], m_cards[chosen[1]], m_cards[chosen[2]]);
}

QList<int> CardsWidget::selectedIndexes() const
{
    QList<int> indexes;
    for (int i = 0; i < m_selected.size(); ++i) {
        if (m_selected[i])
            indexes << i;
    }
    return indexes;
}

QRect CardsWidget::pictureRect(int index) const
{
    if (index < m_first || index >= m_cards.size())
        return {};
    const int slot = index - m_first;
    const QSize card = cardSize();
    const int x = slot * slotWidth() + (slotWidth() - card.width()) / 2;
    return {QPoint(x + FrameMargin, CardTop), card};
}

int CardsWidget::cardAt(QPoint point) const
{
    for (int slot = 0; slot < Slots; ++slot) {
        const int index = m_first + slot;
        if (index >= m_cards.size())
            break;
        if (pictureRect(index).contains(point))
            return index;
    }
    return -1;
}

void CardsWidget::setGameItem(const GameRecord* game)
{
    if (game)
        m_game = *game;
    else
        m_game.reset();
    update();
}

void CardsWidget::addCard(int code)
{
    if (m_cards.size() >= MaxCards)
        return;
    m_cards << code;
    m_selected << false;
    update();
    emit maxChanged(lastFirst());
}

void CardsWidget::reset()
{
    m_cards.clear();
    m_selected.clear();
    m_pressedCard = -1;
    setFirst(0);
    emit maxChanged(0);
    update();
}

void CardsWidget::setFirst(int first)
{
    if (first == m_first)
        return;
    m_first = first;
    emit currentChanged(first);
    update();
}

void CardsWidget::exchange()
{
    if (!isValidSelection())
        return;
    const QList<int> chosen = selectedIndexes();
    const int a = m_cards[chosen[0]];
    const int b = m_cards[chosen[1]];
    const int c = m_cards[chosen[2]];
    // From the highest index down, so the lower ones stay where they are.
    for (auto it = chosen.crbegin(); it != chosen.crend(); ++it) {
        m_cards.removeAt(*it);
        m_selected.removeAt(*it);
    }
    update();
    emit exchanged(a, b, c);
    emit invalidSelection();
    emit maxChanged(lastFirst());
    setFirst(0);
}

void CardsWidget::mousePressEvent(QMouseEvent* event)
{
    m_pressedCard = cardAt(event->position().toPoint());
}

void CardsWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const int pressed = m_pressedCard;
    m_pressedCard = -1;
    if (pressed < 0)
        return;
    const int released = cardAt(event->position().toPoint());
    if (released < 0)
        return;
    const bool wasValid = isValidSelection();
    m_selected[released] = !m_selected[released];
    update(pictureRect(released).adjusted(-FrameMargin, -FrameMargin, FrameMargin, FrameMargin));
    const bool valid = isValidSelection();
    if (valid && !wasValid)
        emit validSelection();
    else if (wasValid && !valid)
        emit invalidSelection();
}

void CardsWidget::wheelEvent(QWheelEvent* event)
{
    const QPoint steps = event->angleDelta() / 120;
    const int delta = steps.x() != 0 ? -steps.x() : -steps.y();
    if (delta == 0 || m_cards.size() <= Slots) {
        event->ignore();
        return;
    }
    setFirst(std::clamp(m_first + delta, 0, lastFirst()));
}

void CardsWidget::paintEvent(QPaintEvent* event)
{
    if (!m_cards.isEmpty() &&
        (!qFuzzyCompare(devicePixelRatioF(), m_pictureRatio) || cardSize() != m_pictureSize))
        preparePictures(cardSize(), devicePixelRatioF());

    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());

    if (m_game) {
        painter.save();
        painter.translate(width() - m_game->optionsWidth(), 2);
        GameItem::paintOptions(&painter, *m_game);
        painter.restore();
    }

    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    for (int index = m_first; index < m_cards.size(); ++index) {
        const QRect picture = pictureRect(index);
        if (picture.left() >= width())
            break;
        if (m_selected[index]) {
            // A one-pixel outline round the 2-pixel margin.
            painter.drawRect(
                picture.adjusted(-FrameMargin, -FrameMargin, FrameMargin - 1, FrameMargin - 1));
        }
        const int code = m_cards[index];
        if (code >= 0 && code < int(m_pictures.size()))
            painter.drawPixmap(picture.topLeft(), m_pictures[size_t(code)]);
    }
}
