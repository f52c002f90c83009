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
    void cleanup();

    void pages_data();
    void pages();
    void buttonRowsLineUp();
    void wayThroughTheWizard();
    void linesWithoutCountriesGoToTheStorePage();
    void slotsPageSendsAndStartsAgain_data();
    void slotsPageSendsAndStartsAgain();
    void resetForgetsTheMapUnderWay();
    void strokeHistoryBelongsToOneDrawingStep();

private:
    template <typename... Args> void record(const char* name, const Args&... args);
    // The signals since the last call, and forgets them.
    QStringList taken();
    // Clicks the button of that object name on the page showing.
    void press(const char* button);
    void type(const QString& text);
    QComboBox* combo(const char* name) const;
    // From the intro page through the preview to the first continent page.
    void throughBorders();
    // One continent, then one country per name, each with Continue on the
    // area and position pages; ends on the lines page.
    void throughCountries(const QStringList& countries);

    MapEditor* m_editor = nullptr;
    // Every signal of the editor in the order emitted, as "name arguments".
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

QStringList buttonTexts(const QWidget* page)
{
    QStringList texts;
    const auto buttons =
        page->findChild<QWidget*>(QStringLiteral("EditorButtons"))->findChildren<QPushButton*>();
    for (const QPushButton* button : buttons)
        texts << button->text();
    return texts;
}

} // namespace

template <typename... Args> void TestMapEditor::record(const char* name, const Args&... args)
{
    QStringList parts{QString::fromLatin1(name)};
    ((parts << text(args)), ...);
    m_emitted << parts.join(QLatin1Char(' '));
}

void TestMapEditor::init()
{
    m_editor = new MapEditor;
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor));
    m_emitted.clear();
    m_undone.clear();
    m_redone.clear();

    MapEditor* e = m_editor;
    auto log = [this](const char* name) {
        return [this, name](const auto&... args) {
            record(name, args...);
        };
    };
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

void TestMapEditor::cleanup()
{
    delete m_editor;
    m_editor = nullptr;
}

QStringList TestMapEditor::taken()
{
    return std::exchange(m_emitted, {});
}

void TestMapEditor::press(const char* button)
{
    auto* b = m_editor->currentWidget()->findChild<QPushButton*>(QLatin1String(button));
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

void TestMapEditor::type(const QString& text)
{
    auto* edit = m_editor->currentWidget()->findChild<QLineEdit*>();
    QVERIFY(edit);
    edit->setText(text);
}

QComboBox* TestMapEditor::combo(const char* name) const
{
    return m_editor->currentWidget()->findChild<QComboBox*>(QLatin1String(name));
}

void TestMapEditor::throughBorders()
{
    press("EditorContinueButton");
    press("EditorContinueButton");
    press("EditorContinueButton");
    press("EditorYesButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::ContinentPage);
}

void TestMapEditor::throughCountries(const QStringList& countries)
{
    throughBorders();
    type(QStringLiteral("Land"));
    press("EditorContinueButton");
    press("EditorNoButton");
    for (const QString& name : countries) {
        if (name != countries.first())
            press("EditorYesButton");
        type(name);
        press("EditorContinueButton");
        press("EditorContinueButton");
        press("EditorContinueButton");
    }
    press("EditorNoButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::LinesPage);
}

void TestMapEditor::pages_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QStringList>("buttons");

    const QString step = QStringLiteral("Create your own flexible map: step %1");
    const QStringList next{QStringLiteral("Continue")};
    const QStringList yesNo{QStringLiteral("Yes"), QStringLiteral("No")};
    const QStringList drawing{QStringLiteral("Paint"), QStringLiteral("Erase"),
                              QStringLiteral("Continue")};
    auto row = [](MapEditor::Page page, const char* name) -> QTestData& {
        return QTest::newRow(name) << int(page) << QString::fromLatin1(name);
    };
    row(MapEditor::IntroPage, "IntroPage") << "EditorContinue"
                                           << "You are not in a game"
                                           << "Press the button to create your own flexible map"
                                           << "" << next;
    row(MapEditor::SourcePage, "SourcePage")
        << "EditorSource" << step.arg(1) << "Select the environment for your new map"
        << "" << next;
    row(MapEditor::BordersPage, "BordersPage")
        << "EditorPaintEraseContinue" << step.arg(2) << "Use your mouse to paint borders on the map"
        << "" << drawing;
    row(MapEditor::PreviewPage, "PreviewPage") << "EditorYesNo"
                                               << "Check the borders"
                                               << "Are the borders all right?"
                                               << "" << yesNo;
    row(MapEditor::ContinentPage, "ContinentPage")
        << "EditorNameValue" << step.arg(3) << "Enter the name and value of a continent"
        << "" << next;
    row(MapEditor::ContinentContinuePage, "ContinentContinuePage")
        << "EditorYesNo" << step.arg(3) << "Do you want to create more continents?"
        << "" << yesNo;
    row(MapEditor::CountryPage, "CountryPage")
        << "EditorCountryContinent" << step.arg(4) << "Enter the name and continent of a country"
        << "" << next;
    row(MapEditor::AreaPage, "AreaPage")
        << "EditorContinue" << step.arg(4) << "Use the mouse to pick the area"
        << "" << next;
    row(MapEditor::PositionPage, "PositionPage")
        << "EditorContinue" << step.arg(4) << "Use the mouse to pick the text position"
        << "" << next;
    row(MapEditor::CountryContinuePage, "CountryContinuePage")
        << "EditorYesNo" << step.arg(4) << "Do you want to create more countries?"
        << "" << yesNo;
    row(MapEditor::LinesPage, "LinesPage")
        << "EditorPaintEraseContinue" << step.arg(5)
        << "Use the mouse to paint lines between adjacent countries"
        << "seperated by seas and oceans" << drawing;
    row(MapEditor::NeighbourPage, "NeighbourPage")
        << "EditorContinue" << step.arg(6) << "Select the neighbours of:"
        << "" << next;
    row(MapEditor::StorePage, "StorePage")
        << "EditorYesNo" << step.arg(7) << "Do you want to store the map?"
        << "" << yesNo;
    row(MapEditor::SlotsPage, "SlotsPage")
        << "EditorSlots" << step.arg(7) << "Select a slotnumber and enter the name of the map"
        << "" << next;
}

void TestMapEditor::pages()
{
    QFETCH(int, page);
    QFETCH(QString, objectName);
    QFETCH(QString, className);
    QFETCH(QString, title);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(QStringList, buttons);

    QCOMPARE(m_editor->count(), MapEditor::PageCount);
    const EditorBase* p = m_editor->page(MapEditor::Page(page));
    QCOMPARE(m_editor->indexOf(p), page);
    QCOMPARE(p->objectName(), objectName);
    QCOMPARE(QString::fromLatin1(p->metaObject()->className()), className);
    QCOMPARE(p->title(), title);
    QCOMPARE(p->text1(), text1);
    QCOMPARE(p->text2(), text2);
    QCOMPARE(buttonTexts(p), buttons);
    const auto titleLabel = p->findChild<QWidget*>(QStringLiteral("EditorTitle"));
    QCOMPARE(titleLabel->font().weight(), QFont::Bold);
}

// Every page keeps its buttons in one row at the same height and of one
// width, with Continue at the right end, so nothing jumps between steps.
void TestMapEditor::buttonRowsLineUp()
{
    const QStringList pictures{QStringLiteral("world"), QStringLiteral("africa"),
                               QStringLiteral("europe"), QStringLiteral("north america"),
                               QStringLiteral("united states")};
    QStringList offered;
    const QComboBox* source = m_editor->page(MapEditor::SourcePage)->findChild<QComboBox*>();
    for (int i = 0; i < source->count(); ++i)
        offered << source->itemText(i);
    QCOMPARE(offered, pictures);
    const auto* value = m_editor->page(MapEditor::ContinentPage)->findChild<QSpinBox*>();
    QCOMPARE(value->minimum(), 0);
    QCOMPARE(value->maximum(), 10);

    int rowTop = -1;
    int buttonWidth = -1;
    for (int i = 0; i < MapEditor::PageCount; ++i) {
        m_editor->setCurrentIndex(i);
        QWidget* page = m_editor->currentWidget();
        const QWidget* row = page->findChild<QWidget*>(QStringLiteral("EditorButtons"));
        const int top = row->mapTo(m_editor, QPoint()).y();
        if (rowTop < 0)
            rowTop = top;
        QCOMPARE(top, rowTop);
        for (const QPushButton* button : row->findChildren<QPushButton*>()) {
            // One width everywhere, wide enough for every label.
            if (buttonWidth < 0)
                buttonWidth = button->width();
            QCOMPARE(button->width(), buttonWidth);
            QVERIFY(button->width() >= EditorBase::ButtonWidth);
            QVERIFY(button->width() >= button->sizeHint().width());
            QVERIFY(qAbs(button->geometry().center().y() - row->rect().center().y()) <= 1);
            if (button->text() == QStringLiteral("Continue"))
                QCOMPARE(button->geometry().right(), row->rect().right());
            else
                QVERIFY(button->geometry().right() < row->width() / 2);
        }
    }
}

// One walk from the intro page to the store page: the picture chosen, the
// drawing tools, the preview's answers, continents and countries numbered in
// the order made, and the neighbours of every country in turn.
void TestMapEditor::wayThroughTheWizard()
{
    press("EditorContinueButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::SourcePage);
    combo("EditorSourceCombo")->setCurrentIndex(3);
    press("EditorContinueButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::BordersPage);
    auto* borders = static_cast<EditorPaintEraseContinue*>(m_editor->currentWidget());
    QCOMPARE(borders->tool(), EditorPaintEraseContinue::Tool::None);
    press("EditorPaintButton");
    press("EditorEraseButton");
    // The tool in use stays pressed; a second click keeps it.
    press("EditorEraseButton");
    QCOMPARE(borders->tool(), EditorPaintEraseContinue::Tool::Erase);
    press("EditorContinueButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::PreviewPage);
    press("EditorNoButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::BordersPage);
    // The board paints again.
    QCOMPARE(borders->tool(), EditorPaintEraseContinue::Tool::Paint);
    press("EditorContinueButton");
    press("EditorYesButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::ContinentPage);
    QCOMPARE(taken(),
             expected({"mapSource north america", "paintBorders", "eraseBorders", "eraseBorders",
                       "preview", "previewRestore", "preview", "previewContinue"}));

    type(QStringLiteral("North"));
    m_editor->currentWidget()->findChild<QSpinBox*>()->setValue(3);
    press("EditorContinueButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::ContinentContinuePage);
    press("EditorYesButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::ContinentPage);
    // The name is taken and the field left empty for the next continent.
    QCOMPARE(m_editor->currentWidget()->findChild<QLineEdit*>()->text(), QString());
    type(QStringLiteral("South"));
    m_editor->currentWidget()->findChild<QSpinBox*>()->setValue(7);
    // Return in the name field counts as Continue.
    QTest::keyClick(m_editor->currentWidget()->findChild<QLineEdit*>(), Qt::Key_Return);
    press("EditorNoButton");
    QCOMPARE(taken(), expected({"createContinent 0 North 3", "createContinent 1 South 7"}));

    QCOMPARE(m_editor->currentPage(), MapEditor::CountryPage);
    QComboBox* continents = combo("EditorContinentCombo");
    QCOMPARE(continents->count(), 2);
    QCOMPARE(continents->itemText(0), QStringLiteral("North"));
    QCOMPARE(continents->currentIndex(), 0);
    const QStringList names{QStringLiteral("Alpha"), QStringLiteral("Beta"),
                            QStringLiteral("Gamma")};
    QStringList made;
    for (int n = 1; n <= 3; ++n) {
        if (n > 1)
            press("EditorYesButton");
        QCOMPARE(m_editor->currentPage(), MapEditor::CountryPage);
        type(names[n - 1]);
        combo("EditorContinentCombo")->setCurrentIndex(n == 2 ? 1 : 0);
        press("EditorContinueButton");
        QCOMPARE(m_editor->currentPage(), MapEditor::AreaPage);
        press("EditorContinueButton");
        QCOMPARE(m_editor->currentPage(), MapEditor::PositionPage);
        press("EditorContinueButton");
        QCOMPARE(m_editor->currentPage(), MapEditor::CountryContinuePage);
        const QString number = QString::number(n);
        made << QStringLiteral("createCountry %1 %2 %3").arg(number, names[n - 1]).arg(n == 2)
             << QStringLiteral("pickArea ") + number << QStringLiteral("pickTextPosition ") + number
             << QStringLiteral("stopPicking");
    }
    QCOMPARE(taken(), made);
    QCOMPARE(m_editor->countryNames(),
             (std::map<int, QString>{{1, names[0]}, {2, names[1]}, {3, names[2]}}));
    press("EditorNoButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::LinesPage);

    press("EditorContinueButton");
    for (int n = 1; n <= 3; ++n) {
        QCOMPARE(m_editor->currentPage(), MapEditor::NeighbourPage);
        QCOMPARE(m_editor->currentNeighbourCountry(), n);
        QCOMPARE(m_editor->page(MapEditor::NeighbourPage)->text2(), names[n - 1]);
        press("EditorContinueButton");
    }
    QCOMPARE(m_editor->currentPage(), MapEditor::StorePage);
    QCOMPARE(taken(), expected({"removePoints", "pickNeighbours 1", "pickNeighbours 2",
                                "pickNeighbours 3"}));
}

void TestMapEditor::linesWithoutCountriesGoToTheStorePage()
{
    // The wizard's own path always makes a country; the slots can be called
    // in any order all the same.
    m_editor->stopCountries();
    QCOMPARE(m_editor->currentPage(), MapEditor::LinesPage);
    press("EditorContinueButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::StorePage);
    QCOMPARE(taken(), expected({"removePoints"}));
}

void TestMapEditor::slotsPageSendsAndStartsAgain_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("label");
    // No on the store page sends nothing and forgets the map.
    QTest::newRow("not stored") << -1 << "";
    QTest::newRow("first") << 0 << "slot 1";
    QTest::newRow("third") << 2 << "slot 3";
    QTest::newRow("last") << 4 << "slot 5";
}

void TestMapEditor::slotsPageSendsAndStartsAgain()
{
    QFETCH(int, entry);
    QFETCH(QString, label);
    throughCountries({QStringLiteral("Alpha")});
    press("EditorContinueButton");
    press("EditorContinueButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::StorePage);
    if (entry < 0) {
        taken();
        press("EditorNoButton");
        QCOMPARE(m_editor->currentPage(), MapEditor::IntroPage);
        QCOMPARE(taken(), QStringList());
        QVERIFY(m_editor->countryNames().empty());
        return;
    }
    press("EditorYesButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::SlotsPage);
    QComboBox* slotList = combo("EditorSlotCombo");
    QCOMPARE(slotList->count(), 5);
    // The list runs as the favourites dialog does: "slot 1" is slot 0.
    QCOMPARE(slotList->itemText(entry), label);
    slotList->setCurrentIndex(entry);
    type(QStringLiteral("Archipelago"));
    taken();
    press("EditorContinueButton");
    QCOMPARE(taken(), QStringList{QStringLiteral("store %1 Archipelago").arg(entry)});
    QCOMPARE(m_editor->currentPage(), MapEditor::IntroPage);
}

void TestMapEditor::resetForgetsTheMapUnderWay()
{
    throughCountries({QStringLiteral("Alpha")});
    press("EditorContinueButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::NeighbourPage);
    m_editor->reset();
    QCOMPARE(m_editor->currentPage(), MapEditor::IntroPage);
    QVERIFY(m_editor->countryNames().empty());

    // The next map starts its continents and countries from scratch.
    taken();
    throughBorders();
    type(QStringLiteral("Isle"));
    press("EditorContinueButton");
    press("EditorNoButton");
    QCOMPARE(combo("EditorContinentCombo")->count(), 1);
    type(QStringLiteral("Solo"));
    press("EditorContinueButton");
    QCOMPARE(taken(),
             expected({"mapSource world", "preview", "previewContinue", "createContinent 0 Isle 0",
                       "createCountry 1 Solo 0", "pickArea 1"}));
}

void TestMapEditor::strokeHistoryBelongsToOneDrawingStep()
{
    const EditorStroke first = EditorStroke::paint({}, {10, 10}, {40, 10});
    const EditorStroke second = EditorStroke::paint(first.addedPoints(), {40, 10}, {40, 30});
    QAction* undo = m_editor->undoAction();
    QAction* redo = m_editor->redoAction();
    QCOMPARE(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(redo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+Z")));

    press("EditorContinueButton");
    press("EditorContinueButton");
    QVERIFY(!undo->isEnabled());
    m_editor->recordStroke(first);
    m_editor->recordStroke(second);
    // Recording never makes the board draw the stroke a second time.
    QVERIFY(m_redone.isEmpty());
    QVERIFY(undo->isEnabled() && !redo->isEnabled());
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

    m_editor->stopCountries();
    m_editor->recordStroke(first);
    QVERIFY(undo->isEnabled());
    press("EditorContinueButton");
    QCOMPARE(m_editor->strokes()->count(), 0);
}

QTEST_MAIN(TestMapEditor)
#include "tst_mapeditor.moc"
