// The map editor: its wizard drives the board, the board turns the gestures
// into changes of the map document, the document sends the finished map, and
// the server's slot message tells whether it was stored.

#include "tarvenix.h"

#include "chatview.h"
#include "map.h"
#include "mapdocument.h"
#include "mapeditor.h"
#include "mapslots.h"
#include "mapstorewatch.h"
#include "parser.h"

#include <QStackedWidget>

void Tarvenix::createEditor()
{
    m_editor = new MapEditor(m_stack);
    m_editor->setObjectName(QStringLiteral("MapEditor"));
    addPage(EditorPage, m_editor);
    m_storeWatch = new MapStoreWatch(this);
}

void Tarvenix::initEditor()
{
    m_mapDocument = new MapDocument(*m_mapModel, this);
    m_map->setDocument(m_mapDocument);
    m_editor->setStrokes(m_mapDocument->history());

    MapEditor* e = m_editor;
    connect(e, &MapEditor::mapSource, m_map, &Map::reset);
    connect(e, &MapEditor::paintBorders, this, &Tarvenix::editorPaintBorders);
    connect(e, &MapEditor::eraseBorders, this, &Tarvenix::editorEraseBorders);
    connect(e, &MapEditor::preview, m_map, &Map::preview);
    connect(e, &MapEditor::previewRestore, m_map, &Map::previewRestore);
    connect(e, &MapEditor::previewContinue, m_map, &Map::previewContinue);
    connect(e, qOverload<int, const QString&, int>(&MapEditor::createContinent), m_map,
            &Map::addContinent);
    connect(e, qOverload<int, const QString&, int>(&MapEditor::createCountry), m_map,
            qOverload<int, const QString&, int>(&Map::addCountry));
    connect(e, &MapEditor::pickArea, m_map, &Map::pickArea);
    connect(e, &MapEditor::pickTextPosition, m_map, &Map::pickTextPosition);
    connect(e, &MapEditor::stopPicking, m_map, &Map::stopPicking);
    connect(e, &MapEditor::removePoints, m_map, &Map::removePoints);
    connect(e, &MapEditor::pickNeighbours, m_map, &Map::pickNeighbours);
    connect(e, &MapEditor::store, m_map, &Map::store);
    // The board's store signals reach the sender in connectMap().

    // A game's map replaces whatever was being drawn; nothing is sent.
    connect(m_parser, &Parser::startMap, e, &MapEditor::reset);

    connect(e, &MapEditor::store, m_storeWatch, &MapStoreWatch::watch);
    connect(m_mapSlots.get(), &MapSlots::announced, m_storeWatch, [this](bool personal, int slot) {
        const MapSlot& content = m_mapSlots->slot(personal, slot);
        m_storeWatch->slotArrived(personal, slot, content.mapId, content.name, content.author);
    });
    connect(m_storeWatch, &MapStoreWatch::stored, this, &Tarvenix::editorMapStored);
    connect(m_storeWatch, &MapStoreWatch::notStored, this, &Tarvenix::editorMapNotStored);
}

void Tarvenix::showEditor()
{
    m_editor->reset();
    raisePage(EditorPage);
}

void Tarvenix::editorPaintBorders()
{
    m_mapModel->setMode(MapMode::PaintBorders);
}

void Tarvenix::editorEraseBorders()
{
    m_mapModel->setMode(MapMode::EraseBorders);
}

void Tarvenix::editorMapStored(const QString& name, int slot)
{
    // Slots are counted from 1 for the user, as the wizard's list shows them.
    addOutput(Qt::lightGray, Qt::black,
              tr("The map %1 is stored in slot %2").arg(name, QString::number(slot + 1)));
}

void Tarvenix::editorMapNotStored(const QString& name)
{
    addOutput(Qt::red, Qt::red, tr("The server did not store the map %1").arg(name));
}
