#include "editorbase.h"
#include "editorpainterasecontinue.h"
#include "editorstroke.h"
#include "mapeditor.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QUndoStack>

// The wizard on its own: its pages, the way through them, the numbers it
// gives continents and countries, and what it asks the board to do.
class TestMapEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete m_editor; }

    void pages_data();
    void pages();
    void wayThroughTheWizard();
    void storePage_data();
    void storePage();
    void resetForgetsTheMapUnderWay();
    void strokeHistoryBelongsToOneDrawingStep();

private:
    // The signals since the last call, as "name arguments", and forgets them.
    QStringList taken() { return std::exchange(m_emitted, {}); }
    void press(const char* button);
    void type(const QString& text)
    {
        m_editor->currentWidget()->findChild<QLineEdit*>()->setText(text);
    }
    QComboBox* combo(const char* name) const
    {
        return m_editor->currentWidget()->findChild<QComboBox*>(QLatin1String(name));
    }
    // From the intro page through one continent and one country named Alpha
    // to the neighbour page.
    void throughOneCountry();

    MapEditor* m_editor = nullptr;
    QStringList m_emitted;
    QList<EditorStroke> m_undone;
    QList<EditorStroke> m_redone;
};

namespace {

QString text(int value)
{
    return QString::number(value);
}

QString text(const QString& value)
{
    return value;
}

QStringList expected(std::initializer_list<const char*> entries)
{
    QStringList list;
    for (const char* entry : entries)
        list << QString::fromLatin1(entry);
    return list;
}

} // namespace

void TestMapEditor::init()
{
    m_editor = new MapEditor;
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor));
    m_emitted.clear();
    m_undone.clear();
    m_redone.clear();
    auto log = [this](const char* name) {
        return [this, name](const auto&... args) {
            QStringList parts{QString::fromLatin1(name)};
            ((parts << text(args)), ...);
            m_emitted << parts.join(QLatin1Char(' '));
        };
    };
    MapEditor* e = m_editor;
    connect(e, &MapEditor::mapSource, this, log("mapSource"));
    connect(e, &MapEditor::paintBorders, this, log("paintBorders"));
    connect(e, &MapEditor::eraseBorders, this, log("eraseBorders"));
    connect(e, &MapEditor::preview, this, log("preview"));
    connect(e, &MapEditor::previewRestore, this, log("previewRestore"));
    connect(e, &MapEditor::previewContinue, this, log("previewContinue"));
    connect(e, qOverload<int, const QString&, int>(&MapEditor::createContinent), this,
            log("createContinent"));
    connect(e, qOverload<int, const QString&, int>(&MapEditor::createCountry), this,
            log("createCountry"));
    connect(e, &MapEditor::pickArea, this, log("pickArea"));
    connect(e, &MapEditor::pickTextPosition, this, log("pickTextPosition"));
    connect(e, &MapEditor::stopPicking, this, log("stopPicking"));
    connect(e, &MapEditor::removePoints, this, log("removePoints"));
    connect(e, &MapEditor::pickNeighbours, this, log("pickNeighbours"));
    connect(e, &MapEditor::store, this, log("store"));
    connect(e, &MapEditor::undoStroke, this, [this](const EditorStroke& s) { m_undone << s; });
    connect(e, &MapEditor::redoStroke, this, [this](const EditorStroke& s) { m_redone << s; });
}

void TestMapEditor::press(const char* button)
{
    auto* b = m_editor->currentWidget()->findChild<QPushButton*>(QLatin1String(button));
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

void TestMapEditor::throughOneCountry()
{
    for (const char* button : {"EditorContinueButton", "EditorContinueButton",
                               "EditorContinueButton", "EditorYesButton"})
        press(button);
    type(QStringLiteral("Land"));
    press("EditorContinueButton");
    press("EditorNoButton");
    type(QStringLiteral("Alpha"));
    for (const char* button : {"EditorContinueButton", "EditorContinueButton",
                               "EditorContinueButton", "EditorNoButton", "EditorContinueButton"})
        press(button);
    QCOMPARE(m_editor->currentPage(), MapEditor::NeighbourPage);
}

void TestMapEditor::pages_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("buttons");

    const QString step = QStringLiteral("Create your own flexible map: step %1");
    auto row = [](MapEditor::Page page, const char* name) -> QTestData& {
        return QTest::newRow(name) << int(page);
    };
    row(MapEditor::IntroPage, "intro") << "You are not in a game"
                                       << "Press the button to create your own flexible map"
                                       << "Continue";
    row(MapEditor::SourcePage, "source") << step.arg(1) << "Select the environment for your new map"
                                         << "Continue";
    row(MapEditor::BordersPage, "borders")
        << step.arg(2) << "Use your mouse to paint borders on the map"
        << "Paint Erase Continue";
    row(MapEditor::PreviewPage, "preview") << "Check the borders"
                                           << "Are the borders all right?"
                                           << "Yes No";
    row(MapEditor::ContinentPage, "continent")
        << step.arg(3) << "Enter the name and value of a continent"
        << "Continue";
    row(MapEditor::ContinentContinuePage, "more continents")
        << step.arg(3) << "Do you want to create more continents?"
        << "Yes No";
    row(MapEditor::CountryPage, "country")
        << step.arg(4) << "Enter the name and continent of a country"
        << "Continue";
    row(MapEditor::AreaPage, "area") << step.arg(4) << "Use the mouse to pick the area"
                                     << "Continue";
    row(MapEditor::PositionPage, "position")
        << step.arg(4) << "Use the mouse to pick the text position"
        << "Continue";
    row(MapEditor::CountryContinuePage, "more countries")
        << step.arg(4) << "Do you want to create more countries?"
        << "Yes No";
    row(MapEditor::LinesPage, "lines")
        << step.arg(5) << "Use the mouse to paint lines between adjacent countries"
        << "Paint Erase Continue";
    row(MapEditor::NeighbourPage, "neighbours") << step.arg(6) << "Select the neighbours of:"
                                                << "Continue";
    row(MapEditor::StorePage, "store") << step.arg(7) << "Do you want to store the map?"
                                       << "Yes No";
    row(MapEditor::SlotsPage, "slots")
        << step.arg(7) << "Select a slotnumber and enter the name of the map"
        << "Continue";
}

void TestMapEditor::pages()
{
    QFETCH(int, page);
    QFETCH(QString, title);
    QFETCH(QString, text1);
    QFETCH(QString, buttons);

    QCOMPARE(m_editor->count(), MapEditor::PageCount);
    m_editor->setCurrentIndex(page);
    const EditorBase* p = m_editor->page(MapEditor::Page(page));
    QCOMPARE(p->title(), title);
    QCOMPARE(p->text1(), text1);
    QCOMPARE(p->text2(), page == MapEditor::LinesPage
                             ? QStringLiteral("seperated by seas and oceans")
                             : QString());
    QStringList texts;
    for (const QPushButton* button : p->findChildren<QPushButton*>()) {
        texts << button->text();
        // Every label fits the one width all pages share.
        QVERIFY(button->width() >= button->sizeHint().width());
    }
    QCOMPARE(texts.join(QLatin1Char(' ')), buttons);
}

// One walk from the intro page to the store page: the picture chosen, the
// drawing tools, the preview's answers, continents and countries numbered in
// the order made, and the neighbours of every country in turn.
void TestMapEditor::wayThroughTheWizard()
{
    press("EditorContinueButton");
    QComboBox* source = combo("EditorSourceCombo");
    QCOMPARE(source->count(), 5);
    QCOMPARE(source->itemText(3), QStringLiteral("north america"));
    source->setCurrentIndex(3);
    press("EditorContinueButton");
    auto* borders = static_cast<EditorPaintEraseContinue*>(m_editor->currentWidget());
    press("EditorPaintButton");
    press("EditorEraseButton");
    // The tool in use stays pressed; a second click keeps it.
    press("EditorEraseButton");
    QCOMPARE(borders->tool(), EditorPaintEraseContinue::Tool::Erase);
    press("EditorContinueButton");
    press("EditorNoButton");
    // Back from the preview the board paints again.
    QCOMPARE(borders->tool(), EditorPaintEraseContinue::Tool::Paint);
    press("EditorContinueButton");
    press("EditorYesButton");
    QCOMPARE(taken(),
             expected({"mapSource north america", "paintBorders", "eraseBorders", "eraseBorders",
                       "preview", "previewRestore", "preview", "previewContinue"}));

    QCOMPARE(m_editor->currentWidget()->findChild<QSpinBox*>()->maximum(), 10);
    for (const auto& [name, value] : {std::pair{"North", 3}, {"South", 7}}) {
        // The field is empty again for the next continent.
        QCOMPARE(m_editor->currentWidget()->findChild<QLineEdit*>()->text(), QString());
        type(QString::fromLatin1(name));
        m_editor->currentWidget()->findChild<QSpinBox*>()->setValue(value);
        // Return in the name field counts as Continue.
        QTest::keyClick(m_editor->currentWidget()->findChild<QLineEdit*>(), Qt::Key_Return);
        press(value == 3 ? "EditorYesButton" : "EditorNoButton");
    }
    QCOMPARE(taken(), expected({"createContinent 0 North 3", "createContinent 1 South 7"}));

    for (int n = 1; n <= 2; ++n) {
        type(n == 1 ? QStringLiteral("Alpha") : QStringLiteral("Beta"));
        combo("EditorContinentCombo")->setCurrentIndex(n - 1);
        for (int page = 0; page < 3; ++page)
            press("EditorContinueButton");
        press(n == 1 ? "EditorYesButton" : "EditorNoButton");
    }
    QCOMPARE(m_editor->currentPage(), MapEditor::LinesPage);
    press("EditorContinueButton");
    QCOMPARE(m_editor->page(MapEditor::NeighbourPage)->text2(), QStringLiteral("Alpha"));
    press("EditorContinueButton");
    QCOMPARE(m_editor->currentNeighbourCountry(), 2);
    press("EditorContinueButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::StorePage);
    QCOMPARE(taken(),
             expected({"createCountry 1 Alpha 0", "pickArea 1", "pickTextPosition 1", "stopPicking",
                       "createCountry 2 Beta 1", "pickArea 2", "pickTextPosition 2", "stopPicking",
                       "removePoints", "pickNeighbours 1", "pickNeighbours 2"}));
}

void TestMapEditor::storePage_data()
{
    QTest::addColumn<int>("entry");
    // No sends nothing and forgets the map.
    QTest::newRow("not stored") << -1;
    // The list runs as the favourites dialog does: "slot 5" is slot 4.
    QTest::newRow("last slot") << 4;
}

void TestMapEditor::storePage()
{
    QFETCH(int, entry);
    throughOneCountry();
    press("EditorContinueButton");
    taken();
    if (entry < 0) {
        press("EditorNoButton");
        QCOMPARE(m_editor->currentPage(), MapEditor::IntroPage);
        QCOMPARE(taken(), QStringList());
        QVERIFY(m_editor->countryNames().empty());
        return;
    }
    press("EditorYesButton");
    QComboBox* slotList = combo("EditorSlotCombo");
    QCOMPARE(slotList->count(), 5);
    QCOMPARE(slotList->itemText(entry), QStringLiteral("slot %1").arg(entry + 1));
    slotList->setCurrentIndex(entry);
    type(QStringLiteral("Archipelago"));
    press("EditorContinueButton");
    QCOMPARE(taken(), QStringList{QStringLiteral("store %1 Archipelago").arg(entry)});
    QCOMPARE(m_editor->currentPage(), MapEditor::IntroPage);
}

void TestMapEditor::resetForgetsTheMapUnderWay()
{
    throughOneCountry();
    m_editor->reset();
    QCOMPARE(m_editor->currentPage(), MapEditor::IntroPage);
    QVERIFY(m_editor->countryNames().empty());

    // The next map numbers its continents and countries from the start.
    taken();
    throughOneCountry();
    QCOMPARE(taken().mid(0, 6),
             expected({"mapSource world", "preview", "previewContinue", "createContinent 0 Land 0",
                       "createCountry 1 Alpha 0", "pickArea 1"}));
}

void TestMapEditor::strokeHistoryBelongsToOneDrawingStep()
{
    const EditorStroke first = EditorStroke::paint({}, {10, 10}, {40, 10});
    const EditorStroke second = EditorStroke::paint(first.addedPoints(), {40, 10}, {40, 30});
    QAction* undo = m_editor->undoAction();
    QAction* redo = m_editor->redoAction();

    press("EditorContinueButton");
    press("EditorContinueButton");
    QVERIFY(!undo->isEnabled());
    m_editor->recordStroke(first);
    m_editor->recordStroke(second);
    // Recording never makes the board draw the stroke a second time.
    QVERIFY(m_redone.isEmpty());
    undo->trigger();
    undo->trigger();
    QVERIFY(!undo->isEnabled() && redo->isEnabled());
    redo->trigger();
    QCOMPARE(m_undone.size(), 2);
    QCOMPARE(m_undone[0].addedLines().front().p1(), QPoint(40, 10));
    QCOMPARE(m_undone[1].addedPoints(), QList<QPoint>({{10, 10}, {40, 10}}));
    QCOMPARE(m_redone.size(), 1);
    QCOMPARE(m_redone[0].addedPoints(), QList<QPoint>({{10, 10}, {40, 10}}));

    // While the borders are checked the strokes stay, but cannot be touched.
    press("EditorContinueButton");
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    press("EditorNoButton");
    QVERIFY(undo->isEnabled() && redo->isEnabled());
    // Once the borders are burnt in, their strokes are gone for good.
    press("EditorContinueButton");
    press("EditorYesButton");
    QCOMPARE(m_editor->strokes()->count(), 0);
    // So are the sea lines' once the neighbours are picked.
    m_editor->stopCountries();
    m_editor->recordStroke(first);
    QVERIFY(undo->isEnabled());
    press("EditorContinueButton");
    QCOMPARE(m_editor->strokes()->count(), 0);
}

QTEST_MAIN(TestMapEditor)
#include "tst_mapeditor.moc"
