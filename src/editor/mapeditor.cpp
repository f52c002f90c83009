#include "mapeditor.h"

#include "editorcontinue.h"
#include "editorcountrycontinent.h"
#include "editornamevalue.h"
#include "editorpainterasecontinue.h"
#include "editorslots.h"
#include "editorsource.h"
#include "editoryesno.h"

#include <QAction>
#include <QLineEdit>
#include <QUndoStack>

#include <algorithm>

namespace {

struct PageText
{
    const char* objectName;
    const char* title;
    const char* text1;
    const char* text2;
};

// In the order of MapEditor::Page.
constexpr PageText PageTexts[MapEditor::PageCount] = {
    {"IntroPage", QT_TRANSLATE_NOOP("MapEditor", "You are not in a game"),
     QT_TRANSLATE_NOOP("MapEditor", "Press the button to create your own flexible map"), ""},
    {"SourcePage", QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 1"),
     QT_TRANSLATE_NOOP("MapEditor", "Select the environment for your new map"), ""},
    {"BordersPage", QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 2"),
     QT_TRANSLATE_NOOP("MapEditor", "Use your mouse to paint borders on the map"), ""},
    {"PreviewPage", QT_TRANSLATE_NOOP("MapEditor", "Check the borders"),
     QT_TRANSLATE_NOOP("MapEditor", "Are the borders all right?"), ""},
    {"ContinentPage", QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 3"),
     QT_TRANSLATE_NOOP("MapEditor", "Enter the name and value of a continent"), ""},
    {"ContinentContinuePage",
     QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 3"),
     QT_TRANSLATE_NOOP("MapEditor", "Do you want to create more continents?"), ""},
    {"CountryPage", QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 4"),
     QT_TRANSLATE_NOOP("MapEditor", "Enter the name and continent of a country"), ""},
    {"AreaPage", QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 4"),
     QT_TRANSLATE_NOOP("MapEditor", "Use the mouse to pick the area"), ""},
    {"PositionPage", QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 4"),
     QT_TRANSLATE_NOOP("MapEditor", "Use the mouse to pick the text position"), ""},
    {"CountryContinuePage", QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 4"),
     QT_TRANSLATE_NOOP("MapEditor", "Do you want to create more countries?"), ""},
    {"LinesPage", QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 5"),
     QT_TRANSLATE_NOOP("MapEditor", "Use the mouse to paint lines between adjacent countries"),
     QT_TRANSLATE_NOOP("MapEditor", "seperated by seas and oceans")},
    {"NeighbourPage", QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 6"),
     QT_TRANSLATE_NOOP("MapEditor", "Select the neighbours of:"), ""},
    {"StorePage", QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 7"),
     QT_TRANSLATE_NOOP("MapEditor", "Do you want to store the map?"), ""},
    {"SlotsPage", QT_TRANSLATE_NOOP("MapEditor", "Create your own flexible map: step 7"),
     QT_TRANSLATE_NOOP("MapEditor", "Select a slotnumber and enter the name of the map"), ""},
};

} // namespace

MapEditor::MapEditor(QWidget* parent) : QStackedWidget(parent)
{
    createPages();
    connectPages();

    m_undo = new QAction(tr("Undo stroke"), this);
    m_undo->setObjectName(QStringLiteral("EditorUndoAction"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = new QAction(tr("Redo stroke"), this);
    m_redo->setObjectName(QStringLiteral("EditorRedoAction"));
    m_redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    for (QAction* action : {m_undo, m_redo}) {
        // Anywhere in the main window, but only while the editor shows.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(m_undo, &QAction::triggered, this, [this] {
        if (m_strokes)
            m_strokes->undo();
    });
    connect(m_redo, &QAction::triggered, this, [this] {
        if (m_strokes)
            m_strokes->redo();
    });
    connect(this, &QStackedWidget::currentChanged, this, [this] {
        updateStrokeActions();
        // Pages that ask for a name take the typing at once.
        QWidget* input = currentWidget()->focusProxy();
        if (input && isVisible())
            input->setFocus();
    });
    updateStrokeActions();
}

MapEditor::~MapEditor() = default;

void MapEditor::setStrokes(QUndoStack* strokes)
{
    if (m_strokes)
        m_strokes->disconnect(this);
    m_strokes = strokes;
    if (m_strokes) {
        connect(m_strokes, &QUndoStack::canUndoChanged, this, &MapEditor::updateStrokeActions);
        connect(m_strokes, &QUndoStack::canRedoChanged, this, &MapEditor::updateStrokeActions);
    }
    updateStrokeActions();
}

void MapEditor::createPages()
{
    m_intro = new EditorContinue(this);
    m_source = new EditorSource(this);
    m_borders = new EditorPaintEraseContinue(this);
    m_preview = new EditorYesNo(this);
    m_continent = new EditorNameValue(this);
    m_continentContinue = new EditorYesNo(this);
    m_country = new EditorCountryContinent(this);
    m_area = new EditorContinue(this);
    m_position = new EditorContinue(this);
    m_countryContinue = new EditorYesNo(this);
    m_lines = new EditorPaintEraseContinue(this);
    m_neighbour = new EditorContinue(this);
    m_store = new EditorYesNo(this);
    m_slots = new EditorSlots(this);

    EditorBase* const pages[PageCount] = {
        m_intro,   m_source, m_borders,  m_preview,         m_continent, m_continentContinue,
        m_country, m_area,   m_position, m_countryContinue, m_lines,     m_neighbour,
        m_store,   m_slots,
    };
    for (int i = 0; i < PageCount; ++i) {
        EditorBase* page = pages[i];
        const PageText& text = PageTexts[i];
        page->setObjectName(QString::fromLatin1(text.objectName));
        page->setTitle(tr(text.title));
        page->setText1(tr(text.text1));
        if (*text.text2)
            page->setText2(tr(text.text2));
        addWidget(page);
    }
    // One button width and one row height for all pages, so that nothing
    // moves or changes size from step to step.
    int buttonWidth = 0;
    for (const EditorBase* page : pages)
        buttonWidth = std::max(buttonWidth, page->buttonWidthHint());
    int rowHeight = 0;
    for (EditorBase* page : pages) {
        page->setButtonWidth(buttonWidth);
        rowHeight = std::max(rowHeight, page->rowHeightHint());
    }
    for (EditorBase* page : pages)
        page->setRowHeight(rowHeight);
}

// Where one page signal serves two purposes, the connections are made in the
// order in which they must run.
void MapEditor::connectPages()
{
    connect(m_intro, &EditorContinue::clicked, this, &MapEditor::continueFromIntro);

    connect(m_source, &EditorSource::source, this, &MapEditor::continueFromSource);
    connect(m_source, &EditorSource::source, this, &MapEditor::mapSource);

    for (EditorPaintEraseContinue* drawing : {m_borders, m_lines}) {
        connect(drawing, &EditorPaintEraseContinue::paint, this, &MapEditor::paintBorders);
        connect(drawing, &EditorPaintEraseContinue::erase, this, &MapEditor::eraseBorders);
    }
    connect(m_borders, &EditorPaintEraseContinue::cont, this, &MapEditor::continueFromBorders);
    connect(m_borders, &EditorPaintEraseContinue::cont, this, &MapEditor::preview);

    connect(m_preview, &EditorYesNo::yes, this, &MapEditor::previewContinue);
    connect(m_preview, &EditorYesNo::yes, this, &MapEditor::continueFromPreview);
    connect(m_preview, &EditorYesNo::no, this, &MapEditor::previewRestore);
    connect(m_preview, &EditorYesNo::no, this, &MapEditor::backFromPreview);

    connect(m_continent, &EditorNameValue::nameValue, this,
            qOverload<const QString&, int>(&MapEditor::createContinent));
    connect(m_continentContinue, &EditorYesNo::yes, this, &MapEditor::anotherContinent);
    connect(m_continentContinue, &EditorYesNo::no, this, &MapEditor::stopContinents);

    connect(m_country, &EditorCountryContinent::countryContinent, this,
            qOverload<const QString&, int>(&MapEditor::createCountry));
    connect(m_area, &EditorContinue::clicked, this, &MapEditor::continueFromArea);
    connect(m_position, &EditorContinue::clicked, this, &MapEditor::continueFromPosition);
    connect(m_countryContinue, &EditorYesNo::yes, this, &MapEditor::anotherCountry);
    connect(m_countryContinue, &EditorYesNo::no, this, &MapEditor::stopCountries);

    connect(m_lines, &EditorPaintEraseContinue::cont, this, &MapEditor::continueFromLines);
    connect(m_neighbour, &EditorContinue::clicked, this, &MapEditor::continueFromNeighbours);

    connect(m_store, &EditorYesNo::yes, this, &MapEditor::showSlots);
    connect(m_store, &EditorYesNo::no, this, &MapEditor::reset);
    connect(m_slots, &EditorSlots::store, this, &MapEditor::store);
    connect(m_slots, &EditorSlots::store, this, &MapEditor::reset);
}

EditorBase* MapEditor::page(Page page) const
{
    return static_cast<EditorBase*>(widget(page));
}

MapEditor::Page MapEditor::currentPage() const
{
    return Page(currentIndex());
}

void MapEditor::showPage(Page page)
{
    setCurrentIndex(page);
}

void MapEditor::reset()
{
    showPage(IntroPage);
    m_country->clearContinents();
    m_countryNames.clear();
    m_currentNeighbourCountry = 0;
    // Half-typed names of an abandoned map do not belong to the next one.
    m_continent->nameEdit()->clear();
    m_country->nameEdit()->clear();
    m_slots->nameEdit()->clear();
}

void MapEditor::continueFromIntro()
{
    showPage(SourcePage);
}

void MapEditor::continueFromSource()
{
    m_borders->setTool(EditorPaintEraseContinue::Tool::None);
    showPage(BordersPage);
}

void MapEditor::continueFromBorders()
{
    showPage(PreviewPage);
}

void MapEditor::continueFromPreview()
{
    showPage(ContinentPage);
}

void MapEditor::backFromPreview()
{
    // The board resumes painting.
    m_borders->setTool(EditorPaintEraseContinue::Tool::Paint);
    showPage(BordersPage);
}

void MapEditor::createContinent(const QString& name, int value)
{
    const int number = m_country->addContinentName(name);
    emit createContinent(number, name, value);
    showPage(ContinentContinuePage);
}

void MapEditor::anotherContinent()
{
    showPage(ContinentPage);
}

void MapEditor::stopContinents()
{
    showPage(CountryPage);
}

void MapEditor::createCountry(const QString& name, int continent)
{
    const int number = int(m_countryNames.size()) + 1;
    m_countryNames[number] = name;
    emit createCountry(number, name, continent);
    emit pickArea(number);
    showPage(AreaPage);
}

void MapEditor::continueFromArea()
{
    showPage(PositionPage);
    emit pickTextPosition(int(m_countryNames.size()));
}

void MapEditor::continueFromPosition()
{
    showPage(CountryContinuePage);
    emit stopPicking();
}

void MapEditor::anotherCountry()
{
    showPage(CountryPage);
}

void MapEditor::stopCountries()
{
    m_lines->setTool(EditorPaintEraseContinue::Tool::None);
    showPage(LinesPage);
}

void MapEditor::continueFromLines()
{
    emit removePoints();
    if (m_countryNames.empty()) {
        showPage(StorePage);
        return;
    }
    m_currentNeighbourCountry = 1;
    emit pickNeighbours(1);
    m_neighbour->setText2(m_countryNames[1]);
    showPage(NeighbourPage);
}

void MapEditor::continueFromNeighbours()
{
    if (m_currentNeighbourCountry >= int(m_countryNames.size())) {
        showPage(StorePage);
        return;
    }
    ++m_currentNeighbourCountry;
    emit pickNeighbours(m_currentNeighbourCountry);
    m_neighbour->setText2(m_countryNames[m_currentNeighbourCountry]);
}

void MapEditor::showSlots()
{
    showPage(SlotsPage);
}

bool MapEditor::isDrawing() const
{
    const Page current = currentPage();
    return current == BordersPage || current == LinesPage;
}

void MapEditor::updateStrokeActions()
{
    m_undo->setEnabled(isDrawing() && m_strokes && m_strokes->canUndo());
    m_redo->setEnabled(isDrawing() && m_strokes && m_strokes->canRedo());
}
