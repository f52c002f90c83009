#include "../core/testwindow.h"
#include "editorbase.h"
#include "editorpainterasecontinue.h"
#include "mapeditor.h"
#include "mapstorewatch.h"
#include "wizarddriver.h"

#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QUndoStack>

// The wizard on its own: the way through its pages, the numbers it gives
// continents and countries, and what it asks the board to do; in the main
// window, a whole map drawn with the mouse and sent, and the report on
// whether the server stored it.
class TestMapEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void init();
    void cleanup() { delete m_editor; }

    void pages();
    void wayThroughTheWizard();
    void storePage_data();
    void storePage();
    void undoWhileDrawing();
    void wholeMapThroughTheWindow();
    void storedMapIsReported_data();
    void storedMapIsReported();

private:
    // The signals since the last call, as "name arguments, ...", and forgets them.
    QString taken() { return std::exchange(m_emitted, {}).join(QStringLiteral(", ")); }
    void press(const char* button);
    void type(const QString& text)
    {
        m_editor->currentWidget()->findChild<QLineEdit*>()->setText(text);
    }
    template <typename T> T* child(const char* name = nullptr) const
    {
        return m_editor->currentWidget()->findChild<T*>(name ? QString::fromLatin1(name)
                                                             : QString());
    }
    // From the intro page through one continent and one country named Alpha
    // to the neighbour page.
    void throughOneCountry();

    MapEditor* m_editor = nullptr;
    QStringList m_emitted;
};

void TestMapEditor::init()
{
    m_editor = new MapEditor;
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor));
    m_emitted.clear();
    auto log = [this](const char* name) {
        return [this, name](const auto&... args) {
            QStringList parts{QString::fromLatin1(name)};
            ((parts << QVariant::fromValue(args).toString()), ...);
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
}

void TestMapEditor::press(const char* button)
{
    auto* b = child<QPushButton>(button);
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

// Every label fits the one width all pages share.
void TestMapEditor::pages()
{
    for (int page = 0; page < MapEditor::PageCount; ++page) {
        m_editor->setCurrentIndex(page);
        for (const QPushButton* button : m_editor->currentWidget()->findChildren<QPushButton*>())
            QVERIFY(button->width() >= button->sizeHint().width());
    }
}

// One walk from the intro page to the store page: the picture chosen, the
// drawing tools, the preview's answers, continents and countries numbered in
// the order made, and the neighbours of every country in turn.
void TestMapEditor::wayThroughTheWizard()
{
    press("EditorContinueButton");
    child<QComboBox>("EditorSourceCombo")->setCurrentIndex(3);
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
    QCOMPARE(taken(), QStringLiteral("mapSource north america, paintBorders, eraseBorders, "
                                     "eraseBorders, preview, previewRestore, preview, "
                                     "previewContinue"));

    QCOMPARE(child<QSpinBox>()->maximum(), 10);
    for (const auto& [name, value] : {std::pair{"North", 3}, {"South", 7}}) {
        // The field is empty again for the next continent.
        QCOMPARE(child<QLineEdit>()->text(), QString());
        type(QString::fromLatin1(name));
        child<QSpinBox>()->setValue(value);
        // Return in the name field counts as Continue.
        QTest::keyClick(child<QLineEdit>(), Qt::Key_Return);
        press(value == 3 ? "EditorYesButton" : "EditorNoButton");
    }
    QCOMPARE(taken(), QStringLiteral("createContinent 0 North 3, createContinent 1 South 7"));

    for (int n = 1; n <= 2; ++n) {
        type(n == 1 ? QStringLiteral("Alpha") : QStringLiteral("Beta"));
        child<QComboBox>("EditorContinentCombo")->setCurrentIndex(n - 1);
        for (int page = 0; page < 3; ++page)
            press("EditorContinueButton");
        press(n == 1 ? "EditorYesButton" : "EditorNoButton");
    }
    press("EditorContinueButton");
    QCOMPARE(m_editor->page(MapEditor::NeighbourPage)->text2(), QStringLiteral("Alpha"));
    press("EditorContinueButton");
    QCOMPARE(m_editor->currentNeighbourCountry(), 2);
    press("EditorContinueButton");
    QCOMPARE(m_editor->currentPage(), MapEditor::StorePage);
    QCOMPARE(taken(), QStringLiteral("createCountry 1 Alpha 0, pickArea 1, pickTextPosition 1, "
                                     "stopPicking, createCountry 2 Beta 1, pickArea 2, "
                                     "pickTextPosition 2, stopPicking, removePoints, "
                                     "pickNeighbours 1, pickNeighbours 2"));
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
        QVERIFY(m_editor->countryNames().empty());
    } else {
        press("EditorYesButton");
        child<QComboBox>("EditorSlotCombo")->setCurrentIndex(entry);
        type(QStringLiteral("Archipelago"));
        press("EditorContinueButton");
    }
    QCOMPARE(taken(), entry < 0 ? QString() : QStringLiteral("store %1 Archipelago").arg(entry));
    QCOMPARE(m_editor->currentPage(), MapEditor::IntroPage);
    // The next map numbers its continents and countries from the start.
    throughOneCountry();
    QVERIFY(taken().contains(QStringLiteral("createContinent 0 Land 0, createCountry 1 Alpha 0")));
}

// Undo and Redo reach the strokes only while a drawing step shows.
void TestMapEditor::undoWhileDrawing()
{
    QUndoStack strokes;
    m_editor->setStrokes(&strokes);
    QAction* undo = m_editor->undoAction();
    QAction* redo = m_editor->redoAction();
    strokes.push(new QUndoCommand);
    strokes.push(new QUndoCommand);
    QVERIFY(!undo->isEnabled());
    press("EditorContinueButton");
    press("EditorContinueButton");
    QVERIFY(undo->isEnabled() && !redo->isEnabled());
    undo->trigger();
    undo->trigger();
    QVERIFY(!undo->isEnabled() && redo->isEnabled());
    redo->trigger();
    QCOMPARE(strokes.index(), 1);
    // While the borders are checked the strokes stay, but cannot be touched.
    press("EditorContinueButton");
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    press("EditorNoButton");
    QVERIFY(undo->isEnabled() && redo->isEnabled());
    m_editor->setStrokes(nullptr);
}

// What the wizard asks is tested above, what the board does and sends on the
// board; here the gestures go all the way to the requests, byte for byte the
// ones this plan has always given.
void TestMapEditor::wholeMapThroughTheWindow()
{
    TestWindow test;
    Tarvenix* window = test.window.get();
    window->map()->setPictures(
        {{QStringLiteral("europe"), QImage(QStringLiteral("Maps/Europe.png"))}});
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->showEditor();
    WizardDriver driver(window);
    driver.drawThreeCountries(ThreeCountries::onEurope(), 1, QStringLiteral("Trio"));
    QVERIFY2(driver.errors().isEmpty(), qPrintable(driver.errors().join(u'\n')));
    QCOMPARE(test.sent.size(), 14);
    QCryptographicHash digest(QCryptographicHash::Sha256);
    for (const Message& m : std::as_const(test.sent))
        digest.addData(m.data());
    QCOMPARE(digest.result().toHex(),
             QByteArray("91a5a5654bae17c0a8aeafd67427337b527376c865ab8e7cb3eab41fdc8d2897"));
}

void TestMapEditor::storedMapIsReported_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("personal");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("report");

    const QString stored = QStringLiteral("The map Trio is stored in slot 2");
    const QString refused = QStringLiteral("The server did not store the map Trio");
    QTest::newRow("stored") << "Trio" << true << 1 << "Trio" << stored;
    // The server keeps names without outer blanks.
    QTest::newRow("trimmed") << " Trio\t" << true << 1 << "Trio" << stored;
    QTest::newRow("other map") << "Trio" << true << 1 << "Duo" << refused;
    QTest::newRow("popular slot") << "Trio" << false << 1 << "Trio" << refused;
    QTest::newRow("nothing") << "Trio" << true << -1 << "" << refused;
}

void TestMapEditor::storedMapIsReported()
{
    QFETCH(QString, typed);
    QFETCH(bool, personal);
    QFETCH(int, slot);
    QFETCH(QString, name);
    QFETCH(QString, report);

    TestWindow test;
    Tarvenix* window = test.window.get();
    MapStoreWatch* watch = window->storeWatch();
    watch->setTimeout(150);
    emit window->mapEditor()->store(1, typed);
    QVERIFY(!test.sent.isEmpty() && Protocol::is(test.sent.last(), Opcode::EndMap));
    if (slot >= 0)
        emit window->parser()->slot(personal, slot, 1001, name, QStringLiteral("Me"));
    QTRY_COMPARE_WITH_TIMEOUT(test.lastLine(), report, 2000);
    QCOMPARE(watch->pendingCount(), 0);
    // Said once: neither a late slot nor the timer adds another line.
    const int lines = window->output()->lineCount();
    emit window->parser()->slot(true, 1, 1001, QStringLiteral("Trio"), QStringLiteral("Me"));
    QTest::qWait(200);
    QCOMPARE(window->output()->lineCount(), lines);
}

QTEST_MAIN(TestMapEditor)
#include "tst_mapeditor.moc"
