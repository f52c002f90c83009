#pragma once

#include <QPointer>
#include <QStackedWidget>
#include <QString>
#include <QUndoStack>

#include <map>

class EditorContinue;
class EditorCountryContinent;
class EditorNameValue;
class EditorPaintEraseContinue;
class EditorSlots;
class EditorSource;
class EditorYesNo;
class EditorBase;
class QAction;

// The wizard in which a user who is not in a game draws a map of his own on
// one of the base pictures and stores it on the server: fourteen small pages
// in seven steps. All drawing happens on the board, which the wizard drives
// only through its signals; the main window connects them.
class MapEditor : public QStackedWidget
{
    Q_OBJECT

public:
    enum Page {
        IntroPage,
        SourcePage,
        BordersPage,
        PreviewPage,
        ContinentPage,
        ContinentContinuePage,
        CountryPage,
        AreaPage,
        PositionPage,
        CountryContinuePage,
        LinesPage,
        NeighbourPage,
        StorePage,
        SlotsPage,
    };
    Q_ENUM(Page)
    static constexpr int PageCount = SlotsPage + 1;

    explicit MapEditor(QWidget* parent = nullptr);
    ~MapEditor() override;

    EditorBase* page(Page page) const;
    Page currentPage() const;
    // The countries made so far, numbered from 1 in the order of making.
    const std::map<int, QString>& countryNames() const { return m_countryNames; }
    int currentNeighbourCountry() const { return m_currentNeighbourCountry; }

    // The strokes of the drawing step under way, which Undo and Redo take
    // back and make again while a drawing step shows.
    void setStrokes(QUndoStack* strokes);
    QUndoStack* strokes() const { return m_strokes; }
    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }

public slots:
    void reset();
    void continueFromIntro();
    void continueFromSource();
    void continueFromBorders();
    void continueFromPreview();
    void backFromPreview();
    void createContinent(const QString& name, int value);
    void anotherContinent();
    void stopContinents();
    void createCountry(const QString& name, int continent);
    void continueFromArea();
    void continueFromPosition();
    void anotherCountry();
    void stopCountries();
    void continueFromLines();
    void continueFromNeighbours();
    void showSlots();

signals:
    void mapSource(const QString& picture);
    void paintBorders();
    void eraseBorders();
    void preview();
    void previewRestore();
    void previewContinue();
    void createContinent(int number, const QString& name, int value);
    void createCountry(int number, const QString& name, int continent);
    void pickArea(int country);
    void pickTextPosition(int country);
    void stopPicking();
    void removePoints();
    void pickNeighbours(int country);
    void store(int slot, const QString& name);

private:
    void createPages();
    void connectPages();
    void showPage(Page page);
    bool isDrawing() const;
    void updateStrokeActions();

    EditorContinue* m_intro;
    EditorSource* m_source;
    EditorPaintEraseContinue* m_borders;
    EditorYesNo* m_preview;
    EditorNameValue* m_continent;
    EditorYesNo* m_continentContinue;
    EditorCountryContinent* m_country;
    EditorContinue* m_area;
    EditorContinue* m_position;
    EditorYesNo* m_countryContinue;
    EditorPaintEraseContinue* m_lines;
    EditorContinue* m_neighbour;
    EditorYesNo* m_store;
    EditorSlots* m_slots;

    std::map<int, QString> m_countryNames;
    int m_currentNeighbourCountry = 0;
    // Owned elsewhere and possibly gone first.
    QPointer<QUndoStack> m_strokes;
    QAction* m_undo;
    QAction* m_redo;
};
