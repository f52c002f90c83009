#include "map.h"

#include "mapdata.h"
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

struct PictureFile
{
    const char* name;
    const char* file;
};

constexpr PictureFile BuiltInPictures[] = {
    {"world", "Maps/World.png"},
    {"europe", "Maps/Europe.png"},
    {"africa", "Maps/Africa.png"},
    {"north america", "Maps/NorthAmerica.png"},
    {"united states", "Maps/UnitedStates.png"},
};

const QString DefaultPicture = QStringLiteral("world");

QRect rubberBand(QPointF a, QPointF b)
{
    return QRectF(a, b).normalized().toAlignedRect().adjusted(-2, -2, 2, 2);
}

bool isPlacing(MapMode mode)
{
    return mode == MapMode::PlaceInitial || mode == MapMode::Place;
}

bool isEditing(MapMode mode)
{
    switch (mode) {
    case MapMode::PaintBorders:
    case MapMode::EraseBorders:
    case MapMode::PickArea:
    case MapMode::PickTextPosition:
    case MapMode::PickNeighbours:
        return true;
    default:
        return false;
    }
}

} // namespace

Map::Map(QWidget* parent)
    : QWidget(parent), m_armiesPie(tr("Armies")), m_countriesPie(tr("Countries"))
{
    setObjectName(QStringLiteral("Map"));
    setMinimumSize(MinimumSize);
    setMouseTracking(true);
    // Every pixel is painted on each update, so Qt need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_textColors.fill(QColor(Qt::black));
    m_fillColors.fill(QColor(Qt::yellow));
    for (int seat = 0; seat < Seats; ++seat) {
        m_armiesPie.setColor(seat, m_fillColors[size_t(seat)]);
        m_countriesPie.setColor(seat, m_fillColors[size_t(seat)]);
    }

    m_marquee = new Marquee(this);
    m_marquee->setObjectName(QStringLiteral("marquee"));
    m_marquee->hide();

    loadPictures();
}

Map::~Map() = default;

void Map::loadPictures()
{
    m_pictures.clear();
    for (const PictureFile& p : BuiltInPictures) {
        auto picture =
            std::make_unique<MapPicture>(QString::fromLatin1(p.name), QString::fromLatin1(p.file));
        if (picture->isNull())
            qCDebug(lcMap) << "cannot load" << p.file;
        m_pictures.push_back(std::move(picture));
    }
    selectPicture(DefaultPicture);
}

void Map::setPictures(const QList<QPair<QString, QImage>>& pictures)
{
    if (pictures.isEmpty())
        return;
    removeData();
    m_pictures.clear();
    for (const auto& [name, image] : pictures)
        m_pictures.push_back(std::make_unique<MapPicture>(name, image));
    m_current = nullptr;
    selectPicture(DefaultPicture);
    update();
}

QStringList Map::pictureNames() const
{
    QStringList names;
    for (const auto& p : m_pictures)
        names.append(p->name());
    return names;
}

MapPicture* Map::picture(const QString& name) const
{
    for (const auto& p : m_pictures) {
        if (p->name() == name)
            return p.get();
    }
    return nullptr;
}

void Map::selectPicture(const QString& name)
{
    MapPicture* selected = picture(name);
    if (!selected)
        selected = picture(DefaultPicture);
    if (!selected)
        selected = m_pictures.front().get();
    m_current = selected;
    syncDevicePixelRatio();

    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(m_current->background()));
    setPalette(pal);
}

void Map::syncDevicePixelRatio()
{
    const int ratio = std::max(1, int(std::ceil(devicePixelRatioF())));
    if (m_current->devicePixelRatio() != ratio || m_current->display().isNull())
        m_current->setDevicePixelRatio(ratio);
}

QPoint Map::offset() const
{
    const QSize s = m_current->size();
    return {(width() - s.width()) / 2, (height() - s.height()) / 2};
}

QPoint Map::toPicture(QPointF widgetPos) const
{
    return QPoint(int(std::floor(widgetPos.x())), int(std::floor(widgetPos.y()))) - offset();
}

Country* Map::country(int number)
{
    auto it = m_countries.find(number);
    return it == m_countries.end() ? nullptr : &it->second;
}

const Country* Map::country(int number) const
{
    auto it = m_countries.find(number);
    return it == m_countries.end() ? nullptr : &it->second;
}

const Continent* Map::continent(int number) const
{
    auto it = m_continents.find(number);
    return it == m_continents.end() ? nullptr : &it->second;
}

Country* Map::countryAt(QPointF widgetPos)
{
    const qint32 value = m_current->indexAt(toPicture(widgetPos));
    return value > 0 ? country(value) : nullptr;
}

int Map::armiesOf(int seat) const
{
    if (seat < 0)
        return 0;
    int armies = 0;
    for (const auto& [number, c] : m_countries) {
        if (c.owner == seat)
            armies += c.armies;
    }
    return armies;
}

int Map::countriesOf(int seat) const
{
    if (seat < 0)
        return 0;
    return int(std::count_if(m_countries.begin(), m_countries.end(),
                             [seat](const auto& entry) { return entry.second.owner == seat; }));
}

QColor Map::textColor(int seat) const
{
    return seat >= 0 && seat < Seats ? m_textColors[size_t(seat)] : QColor(Qt::black);
}

QColor Map::backgroundColor(int seat) const
{
    return seat >= 0 && seat < Seats ? m_fillColors[size_t(seat)] : QColor(Qt::black);
}

QColor Map::ownerFill(int owner) const
{
    return owner >= 0 && owner < Seats ? m_fillColors[size_t(owner)] : QColor();
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
    const QString text = country.armies > 0 ? QString::number(country.armies) : QString();
    return QRect(country.textX - 2, country.textY - fm.ascent() - 2, fm.horizontalAdvance(text) + 6,
                 fm.height() + 4);
}

void Map::repaintPicture(const QRect& pictureRect)
{
    update(pictureRect.translated(offset()));
}

void Map::repaintLabel(const Country& country)
{
    const QPoint off = offset();
    if (!country.area.isEmpty())
        update(country.area.translated(off));
    // One pixel more for the box's outline.
    update(labelRect(country).adjusted(-1, -1, 1, 1).translated(off));
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
    // 0 stands for "no map", so it can never name the map already shown.
    if (id != 0 && id == m_mapId) {
        m_loading = false;
        return;
    }
    reset(pictureName);
    m_mapId = id;
    m_mapName = name;
    setIndex(data, length);
    m_loading = true;
}

void Map::loadMap(const MapData& map)
{
    beginLoading(map.id, map.name, map.picture, map.index.constData(), int(map.index.size()));
    for (const MapContinent& c : map.continents)
        addContinent(c.number, c.name, c.value);
    for (const MapCountry& c : map.countries)
        addCountry(c.number, c.name, c.continent, c.labelX, c.labelY, c.areaX, c.areaY, c.areaWidth,
                   c.areaHeight);
    for (const auto& [a, b] : map.neighbours)
        addNeighbour(a, b);
    for (const auto& l : map.lines)
        addLine(l[0], l[1], l[2], l[3]);
    endLoading();
}

void Map::reset(const QString& pictureName)
{
    m_current->restore();
    m_current->refresh();
    selectPicture(pictureName);
    removeData();
    m_armiesPie.clear();
    m_countriesPie.clear();
    m_mapId = 0;
    m_mapName.clear();
    m_highlighted = -1;
    m_statusText.clear();
    m_infoText.clear();
    m_mode = MapMode::Idle;
    m_armyTarget = 0;
    m_picked = -1;
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
    m_continents.try_emplace(number, Continent{number, name, value});
}

void Map::addCountry(int number, const QString& name, int continent)
{
    // The index keeps 0 and the negative values for land without a country,
    // borders and the outside, so such a number could never be clicked.
    if (number <= 0 || country(number) || !this->continent(continent))
        return;
    Country c(number, name, continent);
    c.owner = 0;
    m_countries.emplace(number, c);
}

void Map::addCountry(int number, const QString& name, int continent, int textX, int textY,
                     int areaX, int areaY, int areaWidth, int areaHeight)
{
    if (number <= 0 || country(number) || !this->continent(continent))
        return;
    Country c(number, name, continent);
    c.textX = textX;
    c.textY = textY;
    c.area = QRect(areaX, areaY, std::max(areaWidth, 0), std::max(areaHeight, 0));
    m_countries.emplace(number, c);
}

void Map::addNeighbour(int a, int b)
{
    Country* ca = country(a);
    Country* cb = country(b);
    if (!ca || !cb)
        return;
    ca->addNeighbour(b);
    cb->addNeighbour(a);
}

void Map::addLine(int x1, int y1, int x2, int y2)
{
    m_lines.emplace_back(x1, y1, x2, y2);
    repaintPicture(m_lines.back().boundingRect().adjusted(-1, -1, 1, 1));
}

void Map::removeData()
{
    m_countries.clear();
    m_continents.clear();
    m_lines.clear();
    m_points.clear();
    update();
}

void Map::removeCountries()
{
    m_countries.clear();
    update();
}

void Map::removeContinents()
{
    m_continents.clear();
}

void Map::removeLines()
{
    m_lines.clear();
    update();
}

void Map::removePoints()
{
    m_points.clear();
    update();
}

void Map::store(int slot, const QString& name)
{
    m_current->compressIndex();
    const QByteArray& block = m_current->block();
    emit startMap(m_current->name(), name,
                  reinterpret_cast<const unsigned char*>(block.constData()), int(block.size()));
    for (const auto& [number, c] : m_continents)
        emit continentMap(c.number, c.name, c.value);
    for (const auto& [number, c] : m_countries) {
        emit countryMap(c.number, c.name, c.continent, c.textX, c.textY, c.area.left(),
                        c.area.top(), c.area.width(), c.area.height());
        for (int neighbour : c.neighbours())
            emit neighbourMap(c.number, neighbour);
    }
    for (const MapLine& line : m_lines)
        emit lineMap(line.x1(), line.y1(), line.x2(), line.y2());
    emit endMap(slot);
}

void Map::setCountry(int number, int owner, int armies)
{
    Country* c = country(number);
    if (!c || (c->owner == owner && c->armies == armies))
        return;
    repaintLabel(*c);
    const bool ownerChanged = c->owner != owner;
    if (!ownerChanged) {
        m_armiesPie.add(owner, armies - c->armies);
    } else {
        m_countriesPie.add(c->owner, -1);
        m_countriesPie.add(owner, 1);
        m_armiesPie.add(c->owner, -c->armies);
        m_armiesPie.add(owner, armies);
    }
    c->owner = owner;
    c->armies = armies;
    if (ownerChanged)
        refill(*c, ownerFill(owner));
    repaintLabel(*c);
    // The pies show every change, not only at the next full repaint.
    repaintPicture(QRect(MapPicture::ArmiesPieAnchor, QSize(130, 80)));
    if (isPlacing(m_mode))
        updatePlaceStatus();
}

void Map::setCountry(int number, int armies)
{
    if (const Country* c = country(number))
        setCountry(number, c->owner, armies);
}

void Map::setTextColor(int seat, const QColor& colour)
{
    if (seat < 0 || seat >= Seats)
        return;
    m_textColors[size_t(seat)] = colour;
    update();
}

void Map::setBackgroundColor(int seat, const QColor& colour)
{
    if (seat < 0 || seat >= Seats)
        return;
    m_fillColors[size_t(seat)] = colour;
    for (const auto& [number, c] : m_countries) {
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
    const QColor a = m_fillColors[size_t(attacker)];
    const QColor d = m_fillColors[size_t(defender)];
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

void Map::highlightCountry(int number)
{
    Country* c = country(number);
    if (!c || c->selected)
        return;
    c->selected = true;
    repaintLabel(*c);
}

void Map::clearSelection()
{
    for (auto& [number, c] : m_countries)
        c.selected = false;
    update();
}

void Map::updatePlaceStatus()
{
    QString text;
    const int owned = armiesOf(m_localSeat);
    if (isPlacing(m_mode) && m_armyTarget >= 0 && owned < m_armyTarget)
        text = tr("You should place %1 armies").arg(m_armyTarget - owned);
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

void Map::pickArea(int number)
{
    m_mode = MapMode::PickArea;
    m_picked = number;
}

void Map::pickTextPosition(int number)
{
    m_mode = MapMode::PickTextPosition;
    m_picked = number;
}

void Map::pickNeighbours(int number)
{
    m_mode = MapMode::PickNeighbours;
    m_picked = number;
    for (const auto& [n, c] : m_countries) {
        if (n == number)
            m_current->fill(c, Qt::yellow);
        else if (c.isNeighbour(number))
            m_current->fill(c, Qt::white);
        else
            m_current->fill(c, QColor());
    }
    m_current->refresh();
    update();
}

void Map::stopPicking()
{
    m_mode = MapMode::Idle;
    if (Country* c = country(m_picked)) {
        repaintLabel(*c);
        c->armies = 0;
        refill(*c, Qt::yellow);
    }
}

void Map::preview()
{
    for (const MapLine& line : m_lines)
        m_current->burnLine(line);
    m_mode = MapMode::Preview;
    m_current->refresh();
    update();
}

void Map::previewRestore()
{
    m_mode = MapMode::PaintBorders;
    m_current->restore();
    m_current->refresh();
    update();
}

void Map::previewContinue()
{
    m_mode = MapMode::Idle;
    m_lines.clear();
    m_points.clear();
    update();
}

void Map::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_marquee->setGeometry((width() - MarqueeSize.width()) / 2,
                           (height() - MarqueeSize.height()) / 2, MarqueeSize.width(),
                           MarqueeSize.height());
}

void Map::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        update();
}

void Map::paintEvent(QPaintEvent* event)
{
    syncDevicePixelRatio();
    QPainter painter(this);
    const QRect exposed = event->rect();
    const QPoint off = offset();
    painter.fillRect(exposed, QColor::fromRgb(m_current->background()));

    const QImage& display = m_current->display();
    const QRect target = exposed.intersected(QRect(off, m_current->size()));
    if (!target.isEmpty() && !display.isNull()) {
        const int ratio = m_current->devicePixelRatio();
        painter.drawImage(target, display,
                          QRect((target.topLeft() - off) * ratio, target.size() * ratio));
    }

    if (m_mode == MapMode::PaintBorders && m_pressPoint) {
        painter.setPen(Qt::black);
        painter.drawLine(*m_pressPoint, m_currentPoint);
    }

    painter.translate(off);
    if (m_mode != MapMode::Preview) {
        painter.setPen(Qt::white);
        for (const MapLine& line : m_lines)
            painter.drawLine(line.p1(), line.p2());
        painter.setPen(Qt::black);
        painter.setBrush(Qt::blue);
        for (const QPoint& p : m_points)
            painter.drawEllipse(QRect(p.x() - 2, p.y() - 2, 5, 5));
    }

    const QRect exposedPicture = exposed.translated(-off);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    for (const auto& [number, c] : m_countries) {
        const bool boxed = c.selected || number == m_highlighted;
        if (c.armies <= 0 && !boxed)
            continue;
        const QRect box = labelRect(c);
        if (!box.intersects(exposedPicture))
            continue;
        const QString text = c.armies > 0 ? QString::number(c.armies) : QString();
        if (boxed) {
            painter.setPen(Qt::black);
            painter.setBrush(c.selected ? Qt::white : Qt::yellow);
            painter.drawRect(box.adjusted(0, 0, -1, -1));
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
    drawAt(MapPicture::ArmiesPieAnchor, m_armiesPie);
    drawAt(MapPicture::CountriesPieAnchor, m_countriesPie);
    for (int i = 0; i < 3; ++i)
        drawAt(MapPicture::AttackerDiceAnchors[i], m_dice[size_t(i)]);
    for (int i = 0; i < 2; ++i)
        drawAt(MapPicture::DefenderDiceAnchors[i], m_dice[size_t(3 + i)]);
}

void Map::mousePressEvent(QMouseEvent* event)
{
    // A map that came from the server belongs to a game: the editor never
    // draws on it, whatever mode was left behind.
    if (m_mapId != 0 && isEditing(m_mode))
        return;
    m_pressPoint = event->position();
    m_currentPoint = event->position();
    if (m_mode != MapMode::PickTextPosition)
        return;
    Country* c = countryAt(event->position());
    if (!c || c->number != m_picked)
        return;
    repaintLabel(*c);
    const QPoint p = toPicture(event->position());
    c->textX = p.x();
    c->textY = p.y();
    c->armies = 88;
    repaintLabel(*c);
}

void Map::mouseMoveEvent(QMouseEvent* event)
{
    if (m_mode == MapMode::PaintBorders && m_pressPoint) {
        update(rubberBand(*m_pressPoint, m_currentPoint));
        update(rubberBand(*m_pressPoint, event->position()));
    }
    m_currentPoint = event->position();

    QString text;
    if (const Country* c = countryAt(m_currentPoint)) {
        if (const Continent* cont = continent(c->continent))
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

    switch (m_mode) {
    case MapMode::PaintBorders:
        update(rubberBand(pressPos, releasePos));
        if (press != release)
            releaseOnBorders(press, release);
        return;
    case MapMode::EraseBorders:
        releaseOnErase(press, release);
        return;
    case MapMode::PickArea:
        if (press == release) {
            if (Country* c = country(m_picked)) {
                m_current->fillArea(*c, press);
                m_current->refreshRect(c->area);
                repaintLabel(*c);
                if (c->textX == 0 && c->textY == 0) {
                    c->textX = press.x();
                    c->textY = press.y();
                    c->armies = 88;
                    repaintLabel(*c);
                }
            }
        }
        return;
    case MapMode::Idle:
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

void Map::releaseOnCountry(Country& c, Qt::MouseButton button)
{
    const bool own = m_localSeat >= 0 && c.owner == m_localSeat;
    switch (m_mode) {
    case MapMode::PickNeighbours: {
        Country* p = country(m_picked);
        if (!p || p == &c)
            return;
        if (p->isNeighbour(c.number)) {
            p->removeNeighbour(c.number);
            c.removeNeighbour(p->number);
            refill(c, QColor());
        } else {
            p->addNeighbour(c.number);
            c.addNeighbour(p->number);
            refill(c, Qt::white);
        }
        return;
    }
    case MapMode::PickCapital:
        if (!own)
            return;
        if (Country* previous = country(m_highlighted))
            repaintLabel(*previous);
        m_highlighted = c.number;
        repaintLabel(c);
        emit capitalPicked(c.number);
        return;
    case MapMode::PlaceInitial:
    case MapMode::Place:
        if (!own || (m_mode == MapMode::PlaceInitial && c.armies >= 4))
            return;
        emit placeArmies(c.number, button == Qt::RightButton);
        return;
    case MapMode::Move:
    case MapMode::Attack:
        moveOrAttack(c, m_mode == MapMode::Attack);
        return;
    default:
        return;
    }
}

void Map::moveOrAttack(Country& clicked, bool attacking)
{
    const bool own = m_localSeat >= 0 && clicked.owner == m_localSeat;
    auto selected = std::find_if(m_countries.begin(), m_countries.end(),
                                 [](const auto& entry) { return entry.second.selected; });
    if (selected == m_countries.end()) {
        if (own && clicked.armies >= 2) {
            clicked.selected = true;
            repaintLabel(clicked);
        }
        return;
    }
    Country& source = selected->second;
    if (&source == &clicked) {
        source.selected = false;
        repaintLabel(source);
        return;
    }
    if (!source.isNeighbour(clicked.number) || own == attacking)
        return;
    source.selected = false;
    repaintLabel(source);
    if (attacking)
        emit attack(source.number, clicked.number, std::min(source.armies - 1, 3), m_doOrDie);
    else
        emit doMove(source.number, clicked.number);
}

void Map::releaseOnBorders(QPoint press, QPoint release)
{
    applyStroke(EditorStroke::paint(m_points, press, release));
}

void Map::releaseOnErase(QPoint press, QPoint release)
{
    applyStroke(EditorStroke::erase(m_lines, m_points, press, release));
}

void Map::applyStroke(const EditorStroke& stroke)
{
    if (stroke.isEmpty())
        return;
    redoStroke(stroke);
    emit stroked(stroke);
}

void Map::undoStroke(const EditorStroke& stroke)
{
    stroke.revert(m_lines, m_points);
    for (const QRect& r : stroke.changedRects())
        repaintPicture(r);
}

void Map::redoStroke(const EditorStroke& stroke)
{
    stroke.apply(m_lines, m_points);
    for (const QRect& r : stroke.changedRects())
        repaintPicture(r);
}
