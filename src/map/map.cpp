#include "map.h"

#include "basepictures.h"
#include "clickhint.h"
#include "datadirectories.h"
#include "mapdata.h"
#include "mapdocument.h"
#include "marquee.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lcMap, "tarvenix.map", QtWarningMsg)

namespace {

const QString DefaultPicture = QStringLiteral("world");

// The sea around the built-in pictures, which the empty board shows.
constexpr QRgb BlankSea = 0xff1e3656u;

QRect rubberBand(QPointF a, QPointF b)
{
    return QRectF(a, b).normalized().toAlignedRect().adjusted(-2, -2, 2, 2);
}

} // namespace

Map::Map(QWidget* parent)
    : QWidget(parent), m_blank(QString(), QImage()), m_ownModel(std::make_unique<MapModel>()),
      m_ownColours(std::make_unique<SeatColors>()), m_model(*m_ownModel), m_colours(*m_ownColours),
      m_armiesPie(tr("Armies")), m_countriesPie(tr("Countries"))
{
    init();
}

Map::Map(MapModel& model, SeatColors& colours, QWidget* parent)
    : QWidget(parent), m_blank(QString(), QImage()), m_model(model), m_colours(colours),
      m_armiesPie(tr("Armies")), m_countriesPie(tr("Countries"))
{
    init();
}

void Map::init()
{
    setObjectName(QStringLiteral("Map"));
    setMinimumSize(MinimumSize);
    setMouseTracking(true);
    // Every pixel is painted on each update, so Qt need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int seat = 0; seat < Seats; ++seat) {
        m_armiesPie.setColor(seat, m_colours.background(seat));
        m_countriesPie.setColor(seat, m_colours.background(seat));
    }

    m_marquee = new Marquee(this);
    m_marquee->setObjectName(QStringLiteral("marquee"));
    m_marquee->hide();

    loadPictures();

    connect(&m_model, &MapModel::labelChanging, this, qOverload<int>(&Map::repaintLabel));
    connect(&m_model, &MapModel::labelChanged, this, qOverload<int>(&Map::repaintLabel));
    connect(&m_model, &MapModel::countryChanged, this, &Map::countryChanged);
    connect(&m_model, &MapModel::selectionCleared, this, qOverload<>(&Map::update));
    connect(&m_colours, &SeatColors::textChanged, this, qOverload<>(&Map::update));
    connect(&m_colours, &SeatColors::backgroundChanged, this, &Map::backgroundChanged);
}

Map::~Map() = default;

void Map::setDocument(MapDocument* document)
{
    if (m_document)
        m_document->disconnect(this);
    m_document = document;
    if (!m_document)
        return;
    m_document->setPicture(m_current);
    connect(m_document, &MapDocument::drawingChanged, this, &Map::drawingChanged);
    connect(m_document, &MapDocument::pictureChanged, this, &Map::pictureChanged);
    connect(m_document, &MapDocument::startMap, this, &Map::startMap);
    connect(m_document, &MapDocument::continentMap, this, &Map::continentMap);
    connect(m_document, &MapDocument::countryMap, this, &Map::countryMap);
    connect(m_document, &MapDocument::neighbourMap, this, &Map::neighbourMap);
    connect(m_document, &MapDocument::lineMap, this, &Map::lineMap);
    connect(m_document, &MapDocument::endMap, this, &Map::endMap);
}

void Map::drawingChanged(const QRect& pictureRect)
{
    if (pictureRect.isNull())
        update();
    else
        repaintPicture(pictureRect);
}

void Map::pictureChanged(const QRect& pictureRect)
{
    if (pictureRect.isNull()) {
        m_current->refresh();
        update();
        return;
    }
    m_current->refreshRect(pictureRect);
    repaintPicture(pictureRect);
}

void Map::loadPictures()
{
    // Only the names and files: a picture is read when it is first shown.
    m_pictures.clear();
    for (const Rules::BasePicture& p : Rules::BasePictures)
        m_pictures.push_back({QString::fromLatin1(p.name), QString::fromLatin1(p.file), nullptr});
    m_current = &m_blank;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(BlankSea));
    setPalette(pal);
}

void Map::setPictures(const QList<QPair<QString, QImage>>& pictures)
{
    if (pictures.isEmpty())
        return;
    removeData();
    m_current = &m_blank;
    m_pictures.clear();
    for (const auto& [name, image] : pictures)
        m_pictures.push_back({name, QString(), std::make_unique<MapPicture>(name, image)});
    selectPicture(DefaultPicture);
    if (m_document)
        m_document->setPicture(m_current);
    update();
}

QStringList Map::pictureNames() const
{
    QStringList names;
    for (const PictureSlot& p : m_pictures)
        names.append(p.name);
    return names;
}

QStringList Map::loadedPictures() const
{
    QStringList names;
    for (const PictureSlot& p : m_pictures) {
        if (p.picture)
            names.append(p.name);
    }
    return names;
}

MapPicture* Map::picture(const QString& name) const
{
    for (PictureSlot& p : m_pictures) {
        if (p.name != name)
            continue;
        if (!p.picture) {
            p.picture = std::make_unique<MapPicture>(p.name, DataDirectories::resolve(p.file));
            if (p.picture->isNull())
                qCDebug(lcMap) << "cannot load" << p.file;
        }
        return p.picture.get();
    }
    return nullptr;
}

void Map::selectPicture(const QString& name)
{
    MapPicture* selected = picture(name);
    if (!selected)
        selected = picture(DefaultPicture);
    if (!selected && !m_pictures.empty())
        selected = picture(m_pictures.front().name);
    if (!selected)
        selected = &m_blank;
    if (m_current && m_current != selected)
        m_current->releaseDisplay();
    m_current = selected;
    syncDisplay();

    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(isBlank() ? BlankSea : m_current->background()));
    setPalette(pal);
}

void Map::syncDisplay()
{
    const qreal device = scale() * devicePixelRatioF();
    m_current->setDisplaySize(
        QSize(qRound(m_current->width() * device), qRound(m_current->height() * device)));
}

qreal Map::scale() const
{
    // A board not laid out yet draws the picture at its own size.
    if (m_current->isNull() || width() <= 0 || height() <= 0)
        return 1;
    return std::min(qreal(width()) / m_current->width(), qreal(height()) / m_current->height());
}

QPoint Map::offset() const
{
    const qreal s = scale();
    return {qRound((width() - m_current->width() * s) / 2),
            qRound((height() - m_current->height() * s) / 2)};
}

QPoint Map::toPicture(QPointF widgetPos) const
{
    const QPointF p = (widgetPos - offset()) / scale();
    // Against rounding, a position on a pixel's edge belongs to that pixel.
    constexpr qreal Edge = 1e-9;
    return {int(std::floor(p.x() + Edge)), int(std::floor(p.y() + Edge))};
}

QPoint Map::fromPicture(QPoint picturePos) const
{
    const qreal s = scale();
    auto inside = [s](int pixel) {
        const int middle = int(std::floor((pixel + 0.5) * s));
        const int first = int(std::ceil(pixel * s));
        return middle >= first ? middle : first;
    };
    return QPoint(inside(picturePos.x()), inside(picturePos.y())) + offset();
}

QRect Map::toWidget(const QRect& pictureRect) const
{
    const qreal s = scale();
    return QRectF(QPointF(offset()) + QPointF(pictureRect.topLeft()) * s,
                  QSizeF(pictureRect.size()) * s)
        .toAlignedRect();
}

Country* Map::countryAt(QPointF widgetPos)
{
    const qint32 value = m_current->indexAt(toPicture(widgetPos));
    return value > 0 ? country(value) : nullptr;
}

QColor Map::ownerFill(int owner) const
{
    return SeatColors::isSeat(owner) ? m_colours.background(owner) : QColor();
}

int Map::shownArmies(const Country& country) const
{
    const auto preview = m_preview.find(country.number);
    return preview != m_preview.end() ? preview->second : country.armies;
}

bool Map::marqueeVisible() const
{
    return !m_marquee->isHidden();
}

QRect Map::labelRect(const Country& country) const
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    const int armies = shownArmies(country);
    const QString text = armies > 0 ? QString::number(armies) : QString();
    return QRect(country.textX - 2, country.textY - fm.ascent() - 2, fm.horizontalAdvance(text) + 6,
                 fm.height() + 4);
}

void Map::repaintPicture(const QRect& pictureRect)
{
    // The detail's coast reaches one picture pixel past a country, smooth
    // scaling and antialiased text one unit more.
    update(toWidget(pictureRect.adjusted(-1, -1, 1, 1)).adjusted(-1, -1, 1, 1));
}

void Map::repaintLabel(const Country& country)
{
    if (!country.area.isEmpty())
        repaintPicture(country.area);
    // One pixel more for the box's outline.
    repaintPicture(labelRect(country).adjusted(-1, -1, 1, 1));
}

void Map::repaintLabel(int number)
{
    if (const Country* c = country(number))
        repaintLabel(*c);
}

void Map::repaintText(QPoint anchor, const QString& text, int minimumWidth)
{
    const QFontMetrics fm(font());
    const QRect fixed(anchor.x() - 5, anchor.y() - 10, minimumWidth, 30);
    const QRect measured(anchor.x() - 5, anchor.y() - fm.ascent() - 2,
                         fm.horizontalAdvance(text) + 10, fm.height() + 4);
    repaintPicture(fixed.united(measured));
}

void Map::setInfoText(const QString& text)
{
    if (text == m_infoText)
        return;
    repaintText(MapPicture::InfoAnchor, m_infoText, 200);
    m_infoText = text;
    repaintText(MapPicture::InfoAnchor, m_infoText, 200);
}

void Map::refill(const Country& country, const QColor& colour)
{
    m_current->fill(country, colour);
    m_current->refreshRect(country.area);
    repaintLabel(country);
}

void Map::beginLoading(int id, const QString& name, const QString& pictureName, const char* data,
                       int length)
{
    if (id != 0 && id == mapId()) {
        m_model.beginLoading(id, name);
        return;
    }
    reset(pictureName);
    m_model.beginLoading(id, name);
    setIndex(data, length);
}

void Map::loadMap(const MapData& map)
{
    beginLoading(map.id, map.name, map.picture, map.index.constData(), int(map.index.size()));
    if (isLoading())
        m_model.addMap(map);
    m_model.endLoading();
    update();
}

void Map::reset(const QString& pictureName)
{
    m_current->restore();
    m_current->refresh();
    selectPicture(pictureName);
    forgetMap();
}

void Map::showEmpty()
{
    m_current->restore();
    m_current->releaseDisplay();
    m_current = &m_blank;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(BlankSea));
    setPalette(pal);
    forgetMap();
}

void Map::setEmptyHint(const QString& hint)
{
    if (hint == m_emptyHint)
        return;
    m_emptyHint = hint;
    if (isBlank())
        update();
}

void Map::forgetMap()
{
    m_model.reset();
    m_preview.clear();
    // A new map on the board, or none: the editor starts afresh.
    if (m_document)
        m_document->setPicture(m_current);
    m_armiesPie.clear();
    m_countriesPie.clear();
    // The last throw belongs to the map that is going.
    for (Die& die : m_dice)
        die.set(Qt::black, 0);
    m_statusText.clear();
    m_infoText.clear();
    m_pressPoint.reset();
    update();
}

void Map::setIndex(const char* data, int length)
{
    m_current->setIndex(data, length);
    m_current->refresh();
    update();
}

void Map::addContinent(int number, const QString& name, int value)
{
    m_model.addContinent(number, name, value);
}

void Map::addCountry(int number, const QString& name, int continent)
{
    m_model.addCountry(number, name, continent);
}

void Map::addCountry(int number, const QString& name, int continent, int textX, int textY,
                     int areaX, int areaY, int areaWidth, int areaHeight)
{
    m_model.addCountry(number, name, continent, textX, textY, areaX, areaY, areaWidth, areaHeight);
}

void Map::addNeighbour(int a, int b)
{
    m_model.addNeighbour(a, b);
}

void Map::addLine(int x1, int y1, int x2, int y2)
{
    m_model.addLine(x1, y1, x2, y2);
    repaintPicture(lines().back().boundingRect().adjusted(-1, -1, 1, 1));
}

void Map::removeData()
{
    m_model.removeData();
    update();
}

void Map::removeCountries()
{
    m_model.removeCountries();
    update();
}

void Map::removeContinents()
{
    m_model.removeContinents();
}

void Map::removeLines()
{
    m_model.removeLines();
    update();
}

void Map::removePoints()
{
    if (m_document) {
        m_document->removePoints();
        return;
    }
    m_model.removePoints();
    update();
}

void Map::store(int slot, const QString& name)
{
    if (m_document)
        m_document->store(slot, name);
}

void Map::setCountry(int number, int owner, int armies)
{
    m_model.setCountry(number, owner, armies);
}

void Map::countryChanged(int number, int oldOwner, int /*oldArmies*/)
{
    const Country* c = country(number);
    // The model's new count ends a preview of the country.
    if (m_preview.count(number) > 0) {
        repaintPicture(labelRect(*c).adjusted(-1, -1, 1, 1));
        m_preview.erase(number);
    }
    if (c->owner == oldOwner) {
        m_armiesPie.set(c->owner, m_model.armiesOf(c->owner));
    } else {
        syncPies(oldOwner);
        syncPies(c->owner);
        refill(*c, ownerFill(c->owner));
    }
    repaintLabel(*c);
    // The pies show every change, not only at the next full repaint.
    repaintPicture(QRect(MapPicture::ArmiesPieAnchor, QSize(130, 80)));
    if (m_model.isPlacing())
        updatePlaceStatus();
}

void Map::syncPies(int seat)
{
    m_armiesPie.set(seat, m_model.armiesOf(seat));
    m_countriesPie.set(seat, m_model.countriesOf(seat));
}

void Map::previewArmies(int number, int armies)
{
    const Country* c = country(number);
    if (!c)
        return;
    // The label's old box and its new one, which may be wider.
    repaintLabel(*c);
    if (armies == c->armies)
        m_preview.erase(number);
    else
        m_preview[number] = armies;
    repaintLabel(*c);
}

void Map::endPreview(int number)
{
    if (number >= 0) {
        if (const Country* c = country(number))
            previewArmies(number, c->armies);
        return;
    }
    while (!m_preview.empty()) {
        const int n = m_preview.begin()->first;
        if (const Country* c = country(n))
            previewArmies(n, c->armies);
        else
            m_preview.erase(m_preview.begin());
    }
}

void Map::setCountry(int number, int armies)
{
    if (const Country* c = country(number))
        setCountry(number, c->owner, armies);
}

void Map::setTextColor(int seat, const QColor& colour)
{
    m_colours.setText(seat, colour);
}

void Map::setBackgroundColor(int seat, const QColor& colour)
{
    m_colours.setBackground(seat, colour);
}

void Map::backgroundChanged(int seat)
{
    const QColor colour = m_colours.background(seat);
    for (const auto& [number, c] : countries()) {
        if (c.owner == seat) {
            m_current->fill(c, colour);
            m_current->refreshRect(c.area);
        }
    }
    m_armiesPie.setColor(seat, colour);
    m_countriesPie.setColor(seat, colour);
    update();
}

void Map::dice(int attacker, int attack1, int attack2, int attack3, int defender, int defence1,
               int defence2)
{
    if (attacker < 0 || attacker >= Seats || defender < 0 || defender >= Seats)
        return;
    const QColor a = m_colours.background(attacker);
    const QColor d = m_colours.background(defender);
    m_dice[0].set(a, attack1);
    m_dice[1].set(a, attack2);
    m_dice[2].set(a, attack3);
    m_dice[3].set(d, defence1);
    m_dice[4].set(d, defence2);
    // A throw often changes no country, so nothing else would bring it up.
    const QPoint first = MapPicture::AttackerDiceAnchors[0];
    const QPoint last = MapPicture::AttackerDiceAnchors[2];
    repaintPicture(QRect(
        first, QPoint(MapPicture::DefenderDiceAnchors[1].x() + Die::Size, last.y() + Die::Size)));
}

void Map::clearDice()
{
    for (Die& die : m_dice)
        die.set(Qt::black, 0);
    update();
}

void Map::updatePlaceStatus()
{
    const QString text = m_model.placeStatus();
    if (text == m_statusText)
        return;
    repaintText(MapPicture::StatusAnchor, m_statusText, 150);
    m_statusText = text;
    repaintText(MapPicture::StatusAnchor, m_statusText, 150);
}

void Map::showMarquee()
{
    m_marquee->show();
    m_marquee->raise();
    m_marquee->showBanner(true);
}

void Map::hideMarquee()
{
    m_marquee->hide();
    m_marquee->showBanner(false);
}

// The editor's steps belong to the document; the board shows what they do.
void Map::pickArea(int number)
{
    if (m_document)
        m_document->pickArea(number);
}

void Map::pickTextPosition(int number)
{
    if (m_document)
        m_document->pickTextPosition(number);
}

void Map::pickNeighbours(int number)
{
    if (m_document)
        m_document->pickNeighbours(number);
}

void Map::stopPicking()
{
    if (m_document)
        m_document->stopPicking();
}

void Map::preview()
{
    if (m_document)
        m_document->preview();
}

void Map::previewRestore()
{
    if (m_document)
        m_document->previewRestore();
}

void Map::previewContinue()
{
    if (m_document)
        m_document->previewContinue();
}

void Map::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The panel sits over the picture's middle and scales with it, as the
    // labels and dice do.
    const QSize panel = Marquee::PanelSize;
    const QPoint corner((m_current->width() - panel.width()) / 2,
                        (m_current->height() - panel.height()) / 2);
    m_marquee->setGeometry(toWidget(QRect(corner, panel)));
}

void Map::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        update();
}

void Map::paintEvent(QPaintEvent* event)
{
    syncDisplay();
    QPainter painter(this);
    const QRect exposed = event->rect();
    const QPoint off = offset();
    const qreal s = scale();
    if (isBlank()) {
        painter.fillRect(exposed, QColor::fromRgb(BlankSea));
        paintEmptyHint(painter);
        return;
    }
    painter.fillRect(exposed, QColor::fromRgb(m_current->background()));

    const QImage& display = m_current->display();
    if (!display.isNull()) {
        // The display image has the board's device pixels: drawn without the
        // device pixel ratio's scaling it is a plain copy.
        const qreal ratio = devicePixelRatioF();
        painter.save();
        painter.scale(1 / ratio, 1 / ratio);
        painter.drawImage(QPointF(off) * ratio, display);
        painter.restore();
    }

    if (mode() == MapMode::PaintBorders && m_pressPoint) {
        painter.setPen(Qt::black);
        painter.drawLine(*m_pressPoint, m_currentPoint);
    }

    painter.translate(off);
    painter.scale(s, s);
    painter.setRenderHint(QPainter::Antialiasing, s != 1);
    if (mode() != MapMode::Preview) {
        painter.setPen(Qt::white);
        for (const MapLine& line : lines())
            painter.drawLine(line.p1(), line.p2());
        painter.setPen(Qt::black);
        painter.setBrush(Qt::blue);
        for (const QPoint& p : points())
            painter.drawEllipse(QRect(p.x() - 2, p.y() - 2, 5, 5));
    }

    const QRect exposedPicture =
        QRectF(QPointF(exposed.topLeft() - off) / s, QSizeF(exposed.size()) / s).toAlignedRect();
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    for (const auto& [number, c] : countries()) {
        const bool boxed = c.selected || number == m_model.highlighted();
        const int armies = shownArmies(c);
        if (armies <= 0 && !boxed)
            continue;
        const QRect box = labelRect(c);
        if (!box.intersects(exposedPicture))
            continue;
        const QString text = armies > 0 ? QString::number(armies) : QString();
        if (boxed) {
            painter.setPen(Qt::black);
            // The own capital is yellow; once another seat has taken it,
            // the marker wears that seat's colours.
            const bool taken =
                !c.selected && c.owner >= 0 && c.owner < Seats && c.owner != m_model.localSeat();
            painter.setBrush(c.selected ? QColor(Qt::white)
                             : taken    ? m_colours.background(c.owner)
                                        : QColor(Qt::yellow));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            if (taken)
                painter.setPen(textColor(c.owner));
            painter.drawText(QPoint(c.textX, c.textY), text);
            continue;
        }
        // A one-pixel rim in the opposite brightness keeps the number
        // readable on every tint and on the picture's texture.
        const QColor colour = textColor(c.owner);
        painter.setPen(colour.lightness() < 128 ? QColor(255, 255, 255, 150)
                                                : QColor(0, 0, 0, 150));
        for (const QPoint& d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
            painter.drawText(QPoint(c.textX, c.textY) + d, text);
        painter.setPen(colour);
        painter.drawText(QPoint(c.textX, c.textY), text);
    }

    painter.setFont(font());
    painter.setPen(Qt::white);
    painter.drawText(MapPicture::StatusAnchor, m_statusText);
    painter.drawText(MapPicture::InfoAnchor, m_infoText);

    auto drawAt = [&painter](QPoint anchor, const auto& item) {
        painter.save();
        painter.translate(anchor);
        item.draw(painter);
        painter.restore();
    };
    // The pies and their captions belong to a game, where countries have
    // owners.
    if (m_countriesPie.total() > 0) {
        drawAt(MapPicture::ArmiesPieAnchor, m_armiesPie);
        drawAt(MapPicture::CountriesPieAnchor, m_countriesPie);
    }
    for (int i = 0; i < 3; ++i)
        drawAt(MapPicture::AttackerDiceAnchors[i], m_dice[size_t(i)]);
    for (int i = 0; i < 2; ++i)
        drawAt(MapPicture::DefenderDiceAnchors[i], m_dice[size_t(3 + i)]);
}

void Map::paintEmptyHint(QPainter& painter)
{
    if (m_emptyHint.isEmpty())
        return;
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    painter.setFont(big);
    painter.setPen(QColor(Qt::white));
    // A column a reader's eye can follow.
    const QFontMetrics metrics(big);
    const int width =
        std::min(rect().width() - 2 * metrics.height(), metrics.averageCharWidth() * 60);
    QRect box(0, 0, width, rect().height());
    box = metrics.boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, m_emptyHint);
    // Above the middle, where the marquee never covers it.
    box.moveCenter(QPoint(rect().center().x(), rect().height() / 4));
    painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, m_emptyHint);
}

void Map::mousePressEvent(QMouseEvent* event)
{
    if (!m_model.acceptsPresses())
        return;
    m_pressPoint = event->position();
    m_currentPoint = event->position();
    if (mode() == MapMode::PickTextPosition && m_document)
        m_document->placeLabel(toPicture(event->position()));
}

void Map::mouseMoveEvent(QMouseEvent* event)
{
    if (mode() == MapMode::PaintBorders && m_pressPoint) {
        update(rubberBand(*m_pressPoint, m_currentPoint));
        update(rubberBand(*m_pressPoint, event->position()));
    }
    m_currentPoint = event->position();

    QString text;
    if (const Country* c = countryAt(m_currentPoint)) {
        if (const Continent* cont = m_model.continent(c->continent))
            text = tr("%1 - %2 [%3]").arg(c->name, cont->name, QString::number(cont->value));
        else
            text = c->name;
    }
    setInfoText(text);
}

void Map::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pressPoint)
        return;
    const QPointF pressPos = *m_pressPoint;
    const QPointF releasePos = event->position();
    m_pressPoint.reset();
    m_currentPoint = releasePos;
    const QPoint press = toPicture(pressPos);
    const QPoint release = toPicture(releasePos);

    switch (mode()) {
    case MapMode::PaintBorders:
        update(rubberBand(pressPos, releasePos));
        if (press != release && m_document)
            m_document->paintBorder(press, release);
        return;
    case MapMode::EraseBorders:
        if (m_document)
            m_document->eraseBorder(press, release);
        return;
    case MapMode::PickArea:
        if (press == release && m_document)
            m_document->claimArea(press);
        return;
    case MapMode::PickTextPosition:
    case MapMode::Preview:
        return;
    default:
        break;
    }

    Country* pressed = countryAt(pressPos);
    if (!pressed || pressed != countryAt(releasePos))
        return;
    releaseOnCountry(*pressed, event->button());
}

void Map::releaseOnCountry(const Country& c, Qt::MouseButton button)
{
    if (mode() == MapMode::PickNeighbours) {
        if (m_document)
            m_document->toggleNeighbour(c.number);
        return;
    }
    // Worked out before the click, which may change the selection.
    const QString refusal = ClickHint::refusal(m_model, c.number);
    const MapGesture g = m_model.click(c.number, button == Qt::RightButton);
    if (m_model.localSeat() >= 0 && !m_model.isEditing())
        emit clickRefused(refusal);
    switch (g.kind) {
    case MapGesture::None:
        return;
    case MapGesture::PlaceArmies:
        emit placeArmies(g.country, g.rightButton);
        return;
    case MapGesture::PickCapital:
        emit capitalPicked(g.country);
        return;
    case MapGesture::Move:
        emit doMove(g.country, g.target);
        return;
    case MapGesture::Attack:
        emit attack(g.country, g.target, g.dice, g.doOrDie);
        return;
    case MapGesture::AddNeighbour:
    case MapGesture::RemoveNeighbour:
        return;
    }
}
