#pragma once

#include "die.h"
#include "mapmodel.h"
#include "mappicture.h"
#include "seatcolors.h"
#include "seating.h"
#include "statisticspie.h"

#include <QColor>
#include <QList>
#include <QLoggingCategory>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lcMap)

class MapDocument;
class Marquee;
class QPainter;
struct MapData;

// The board: the current map's picture with tinted countries, army labels,
// sea lines, statistics pies, dice, a status and a hover line. It shows a
// MapModel in the seats' colours, draws a move's preview over it, turns
// presses and releases into the model's clicks and reports the gestures, and
// owns the marquee shown over its centre. The main window hands in the model
// and the colours it owns; a board made without them keeps its own. Model positions
// are picture coordinates; the picture fills the widget as far as its aspect
// ratio allows, centred, and everything drawn over it scales with it.
class Map : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Seats = Rules::MaxPlayers;
    static constexpr QSize MinimumSize{390, 200};

    explicit Map(QWidget* parent = nullptr);
    Map(MapModel& model, SeatColors& colours, QWidget* parent = nullptr);
    ~Map() override;

    // Replaces the built-in pictures, for tests and tools that bring their own.
    void setPictures(const QList<QPair<QString, QImage>>& pictures);
    QStringList pictureNames() const;
    MapPicture& picture() { return *m_current; }
    const MapPicture& picture() const { return *m_current; }
    // The named picture, read from its file when first asked for.
    MapPicture* picture(const QString& name) const;
    // The built-in pictures read so far: a picture is read when a map or
    // the editor needs it, not before.
    QStringList loadedPictures() const;
    // No map to show: the board is its background colour with the hint.
    bool isBlank() const { return m_current == &m_blank; }
    const QString& emptyHint() const { return m_emptyHint; }

    MapModel& model() { return m_model; }
    const MapModel& model() const { return m_model; }
    // The map the editor draws on this board: the board shows it and turns
    // the editor's gestures into its changes.
    void setDocument(MapDocument* document);
    MapDocument* document() const { return m_document; }

    int mapId() const { return m_model.mapId(); }

    // The incoming map: a start with the id of the map already shown is
    // ignored together with everything up to the end.
    void beginLoading(int id, const QString& name, const QString& pictureName, const char* data,
                      int length);
    bool isLoading() const { return m_model.isLoading(); }
    // Loads a whole map the way one from the server arrives.
    void loadMap(const MapData& map);

    Country* country(int number) { return m_model.country(number); }
    const Country* country(int number) const { return m_model.country(number); }
    const std::map<int, Country>& countries() const { return m_model.countries(); }
    const std::vector<MapLine>& lines() const { return m_model.lines(); }
    const QList<QPoint>& points() const { return m_model.points(); }
    // The country under a widget position, or none.
    Country* countryAt(QPointF widgetPos);

    int armiesOf(int seat) const { return m_model.armiesOf(seat); }

    void setMode(MapMode mode) { m_model.setMode(mode); }
    MapMode mode() const { return m_model.mode(); }

    void highlightCountry(int number) { m_model.highlightCountry(number); }
    void updatePlaceStatus();

    QColor textColor(int seat) const { return m_colours.text(seat); }
    QColor backgroundColor(int seat) const { return m_colours.background(seat); }
    SeatColors& seatColors() { return m_colours; }

    // The armies a country's label shows: the move's preview where it has
    // one, otherwise the model's.
    int shownArmies(const Country& country) const;
    bool hasPreview() const { return !m_preview.empty(); }

    const QString& statusText() const { return m_statusText; }
    const QString& infoText() const { return m_infoText; }
    const StatisticsPie& armiesPie() const { return m_armiesPie; }
    const StatisticsPie& countriesPie() const { return m_countriesPie; }
    const Die& die(int i) const { return m_dice[size_t(i)]; }

    Marquee* marquee() const { return m_marquee; }
    bool marqueeVisible() const;

    // Widget units per picture pixel.
    qreal scale() const;
    // Where the picture's top-left corner lies in the widget.
    QPoint offset() const;
    // The picture pixel under a widget position.
    QPoint toPicture(QPointF widgetPos) const;
    // A widget position inside the picture pixel, as near its middle as whole
    // units allow: where a click on that pixel lands. A board drawn smaller
    // than its picture has pixels no whole position falls in; those get the
    // position nearest to them.
    QPoint fromPicture(QPoint picturePos) const;
    // The widget rectangle that covers a rectangle of picture pixels.
    QRect toWidget(const QRect& pictureRect) const;
    // The label box of a country in picture coordinates.
    QRect labelRect(const Country& country) const;

public slots:
    void reset(const QString& pictureName);
    // Forgets the map as reset() does and shows no picture at all.
    void showEmpty();
    // What the empty board says, centred; empty for nothing.
    void setEmptyHint(const QString& hint);
    void setIndex(const char* data, int length);
    void addContinent(int number, const QString& name, int value);
    void addCountry(int number, const QString& name, int continent);
    void addCountry(int number, const QString& name, int continent, int textX, int textY, int areaX,
                    int areaY, int areaWidth, int areaHeight);
    void addNeighbour(int a, int b);
    void addLine(int x1, int y1, int x2, int y2);
    void removeData();
    void removeCountries();
    void removeContinents();
    void removeLines();
    void removePoints();
    void store(int slot, const QString& name);

    void setCountry(int number, int owner, int armies);
    void setCountry(int number, int armies);
    void setTextColor(int seat, const QColor& colour);
    void setBackgroundColor(int seat, const QColor& colour);
    void dice(int attacker, int attack1, int attack2, int attack3, int defender, int defence1,
              int defence2);

    // Hides the last throw's dice.
    void clearDice();

    // Shows a country with that many armies while a move is being chosen,
    // without changing the model; the model's own count ends the preview.
    void previewArmies(int number, int armies);
    // Ends the preview of one country, or of every country for -1.
    void endPreview(int number = -1);

    void showMarquee();
    void hideMarquee();

    void pickArea(int number);
    void pickTextPosition(int number);
    void pickNeighbours(int number);
    void stopPicking();
    void preview();
    void previewRestore();
    void previewContinue();

signals:
    void placeArmies(int country, bool rightButton);
    void capitalPicked(int country);
    void doMove(int from, int to);
    void attack(int from, int to, int dice, bool doOrDie);
    // A click on a country in one of the local player's modes: why it did
    // nothing, or empty when it was used.
    void clickRefused(const QString& reason);

    void startMap(const QString& pictureName, const QString& mapName, const unsigned char* index,
                  int length);
    void continentMap(int number, const QString& name, int value);
    void countryMap(int number, const QString& name, int continent, int textX, int textY, int areaX,
                    int areaY, int areaWidth, int areaHeight);
    void neighbourMap(int country, int neighbour);
    void lineMap(int x1, int y1, int x2, int y2);
    void endMap(int slot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The one construction, after the model and the colours are known.
    void init();
    void backgroundChanged(int seat);
    void syncPies(int seat);
    void loadPictures();
    void selectPicture(const QString& name);
    void paintEmptyHint(QPainter& painter);
    void syncDisplay();
    void repaintPicture(const QRect& pictureRect);
    void repaintLabel(const Country& country);
    void repaintLabel(int number);
    void countryChanged(int number, int oldOwner, int oldArmies);
    void repaintText(QPoint anchor, const QString& text, int minimumWidth);
    void setInfoText(const QString& text);
    void refill(const Country& country, const QColor& colour);
    QColor ownerFill(int owner) const;

    void releaseOnCountry(const Country& country, Qt::MouseButton button);
    void drawingChanged(const QRect& pictureRect);
    void pictureChanged(const QRect& pictureRect);

    struct PictureSlot
    {
        QString name;
        QString file;
        std::unique_ptr<MapPicture> picture;
    };

    void forgetMap();

    mutable std::vector<PictureSlot> m_pictures;
    // The board before any map: no pixels, the built-in pictures' sea.
    MapPicture m_blank;
    MapPicture* m_current = nullptr;
    QString m_emptyHint;
    // Set only on a board made without a model and colours of the window's.
    std::unique_ptr<MapModel> m_ownModel;
    std::unique_ptr<SeatColors> m_ownColours;
    MapModel& m_model;
    SeatColors& m_colours;
    // Country number to the armies the move panel previews.
    std::map<int, int> m_preview;
    MapDocument* m_document = nullptr;
    QString m_statusText;
    QString m_infoText;
    std::optional<QPointF> m_pressPoint;
    QPointF m_currentPoint;
    StatisticsPie m_armiesPie;
    StatisticsPie m_countriesPie;
    std::array<Die, 5> m_dice;
    Marquee* m_marquee = nullptr;
};
