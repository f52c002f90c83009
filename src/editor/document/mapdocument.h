#pragma once

#include "mapmodel.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QUndoStack>

class EditorStroke;
class MapPicture;

// The map a user draws in the editor. Its continents, countries, neighbours,
// lines and points are those of the board's MapModel, its borders and claimed
// land those of the picture's index, so each is held once and the board shows
// every change as it happens. The document turns the board's gestures into
// changes, keeps the strokes of the drawing step under way on its undo stack,
// and writes the finished map as the requests that store it.
class MapDocument : public QObject
{
    Q_OBJECT

public:
    explicit MapDocument(MapModel& model, QObject* parent = nullptr);

    MapModel& model() const { return m_model; }
    // The picture drawn on. Another picture means another map, so the
    // strokes of the one before cannot be taken back any more.
    void setPicture(MapPicture* picture);
    MapPicture* picture() const { return m_picture; }
    // The strokes of the drawing step under way.
    QUndoStack* history() { return &m_history; }

    // A drag in PaintBorders or EraseBorders, from press to release in
    // picture coordinates; false when it changes nothing.
    bool paintBorder(QPoint press, QPoint release);
    bool eraseBorder(QPoint press, QPoint release);
    // A click in PickArea: the picked country claims the unclaimed land at
    // the point, and a country without a label position gets it there.
    void claimArea(QPoint point);
    // A press in PickTextPosition: the label of the picked country goes to
    // the point when the point lies in that country.
    bool placeLabel(QPoint point);
    // A click in PickNeighbours: links the country with the picked one, or
    // unlinks them, and shows it.
    MapGesture toggleNeighbour(int country);

    // For the stroke commands.
    void applyStroke(const EditorStroke& stroke);
    void revertStroke(const EditorStroke& stroke);

public slots:
    void pickArea(int number);
    void pickTextPosition(int number);
    // The picked country yellow, its neighbours white, every other country
    // bare.
    void pickNeighbours(int number);
    // Leaves the picked country yellow, without its sample number.
    void stopPicking();
    // Burns the lines into the picture to show the borders as they will be.
    void preview();
    // Takes the burnt borders out again; drawing goes on.
    void previewRestore();
    // Keeps the borders in the picture and drops the lines and points.
    void previewContinue();
    // Drops the points, keeping the lines.
    void removePoints();
    // Sends the map as it stands to be stored in the slot.
    void store(int slot, const QString& name);

signals:
    // Lines or points changed within a picture rectangle; everywhere for a
    // null one.
    void drawingChanged(const QRect& pictureRect);
    // Pixels of the picture changed within a rectangle; everywhere for a null
    // one.
    void pictureChanged(const QRect& pictureRect);

    void startMap(const QString& pictureName, const QString& mapName, const unsigned char* index,
                  int length);
    void continentMap(int number, const QString& name, int value);
    void countryMap(int number, const QString& name, int continent, int textX, int textY, int areaX,
                    int areaY, int areaWidth, int areaHeight);
    void neighbourMap(int country, int neighbour);
    void lineMap(int x1, int y1, int x2, int y2);
    void endMap(int slot);

private:
    bool push(const EditorStroke& stroke);
    void fill(const Country& country, const QColor& colour);

    MapModel& m_model;
    MapPicture* m_picture = nullptr;
    QUndoStack m_history;
};
