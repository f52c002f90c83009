#include "mapdocument.h"

#include "editorstroke.h"
#include "mappicture.h"
#include "strokecommand.h"

#include <QColor>

MapDocument::MapDocument(MapModel& model, QObject* parent) : QObject(parent), m_model(model) {}

void MapDocument::setPicture(MapPicture* picture)
{
    m_picture = picture;
    m_history.clear();
}

bool MapDocument::paintBorder(QPoint press, QPoint release)
{
    return push(EditorStroke::paint(m_model.points(), press, release));
}

bool MapDocument::eraseBorder(QPoint press, QPoint release)
{
    return push(EditorStroke::erase(m_model.lines(), m_model.points(), press, release));
}

bool MapDocument::push(const EditorStroke& stroke)
{
    if (stroke.isEmpty())
        return false;
    m_history.push(new StrokeCommand(*this, stroke));
    return true;
}

void MapDocument::applyStroke(const EditorStroke& stroke)
{
    stroke.apply(m_model.lines(), m_model.points());
    for (const QRect& r : stroke.changedRects())
        emit drawingChanged(r);
}

void MapDocument::revertStroke(const EditorStroke& stroke)
{
    stroke.revert(m_model.lines(), m_model.points());
    for (const QRect& r : stroke.changedRects())
        emit drawingChanged(r);
}

void MapDocument::claimArea(QPoint point)
{
    Country* c = m_model.country(m_model.picked());
    if (!c)
        return;
    if (m_picture) {
        m_picture->fillArea(*c, point);
        emit pictureChanged(c->area);
    }
    m_model.placeLabelIfUnset(c->number, point);
}

bool MapDocument::placeLabel(QPoint point)
{
    const qint32 under = m_picture ? m_picture->indexAt(point) : 0;
    return under > 0 && m_model.placeLabel(under, point);
}

MapGesture MapDocument::toggleNeighbour(int country)
{
    if (m_model.mode() != MapMode::PickNeighbours)
        return {};
    const MapGesture g = m_model.click(country, false);
    if (g.kind == MapGesture::AddNeighbour)
        fill(*m_model.country(country), Qt::white);
    else if (g.kind == MapGesture::RemoveNeighbour)
        fill(*m_model.country(country), QColor());
    return g;
}

void MapDocument::fill(const Country& country, const QColor& colour)
{
    if (!m_picture)
        return;
    m_picture->fill(country, colour);
    emit pictureChanged(country.area);
}

void MapDocument::pickArea(int number)
{
    m_model.pick(MapMode::PickArea, number);
}

void MapDocument::pickTextPosition(int number)
{
    m_model.pick(MapMode::PickTextPosition, number);
}

void MapDocument::pickNeighbours(int number)
{
    m_model.pick(MapMode::PickNeighbours, number);
    if (!m_picture)
        return;
    for (const auto& [n, c] : m_model.countries()) {
        if (n == number)
            m_picture->fill(c, Qt::yellow);
        else if (c.isNeighbour(number))
            m_picture->fill(c, Qt::white);
        else
            m_picture->fill(c, QColor());
    }
    emit pictureChanged({});
}

void MapDocument::stopPicking()
{
    m_model.setMode(MapMode::Idle);
    if (const Country* c = m_model.country(m_model.picked())) {
        m_model.clearSample(c->number);
        fill(*c, Qt::yellow);
    }
}

void MapDocument::preview()
{
    if (m_picture) {
        for (const MapLine& line : m_model.lines())
            m_picture->burnLine(line);
    }
    m_model.setMode(MapMode::Preview);
    emit pictureChanged({});
}

void MapDocument::previewRestore()
{
    m_model.setMode(MapMode::PaintBorders);
    if (m_picture)
        m_picture->restore();
    emit pictureChanged({});
}

void MapDocument::previewContinue()
{
    m_model.setMode(MapMode::Idle);
    m_model.removeLines();
    m_model.removePoints();
    // The strokes drew lines that are now gone.
    m_history.clear();
    emit drawingChanged({});
}

void MapDocument::removePoints()
{
    m_model.removePoints();
    // Without their points the strokes no longer fit the lines.
    m_history.clear();
    emit drawingChanged({});
}

void MapDocument::store(int slot, const QString& name)
{
    QString pictureName;
    QByteArray block;
    if (m_picture) {
        m_picture->compressIndex();
        pictureName = m_picture->name();
        block = m_picture->block();
    }
    emit startMap(pictureName, name, reinterpret_cast<const unsigned char*>(block.constData()),
                  int(block.size()));
    const MapData map = m_model.toMapData(pictureName, name);
    for (const MapContinent& c : map.continents)
        emit continentMap(c.number, c.name, c.value);
    auto neighbour = map.neighbours.cbegin();
    for (const MapCountry& c : map.countries) {
        emit countryMap(c.number, c.name, c.continent, c.labelX, c.labelY, c.areaX, c.areaY,
                        c.areaWidth, c.areaHeight);
        for (; neighbour != map.neighbours.cend() && (*neighbour)[0] == c.number; ++neighbour)
            emit neighbourMap(c.number, (*neighbour)[1]);
    }
    for (const auto& l : map.lines)
        emit lineMap(l[0], l[1], l[2], l[3]);
    emit endMap(slot);
}
