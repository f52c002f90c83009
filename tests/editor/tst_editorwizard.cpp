#include "../core/testwindow.h"
#include "mapeditor.h"
#include "mapstorewatch.h"
#include "wizarddriver.h"

#include <QStackedWidget>

// The wizard in the main window, on a small land picture: a whole map drawn
// with the mouse and sent, strokes undone and redone, the wizard giving way
// to a game's map, and the report on whether the server stored a map.
class TestEditorWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void init();
    void cleanup();

    void wholeMapThroughTheWizard();
    void undoAndRedoRestoreTheBoardExactly();
    void gameMapResetsTheWizard();
    void editorShowsAfterLoginAndLeavingAGame();
    void storedMapIsReported_data();
    void storedMapIsReported();

private:
    QImage board() const { return m_window->map()->grab().toImage(); }
    void shortcut(QKeyCombination keys);

    std::unique_ptr<TestWindow> m_test;
    Tarvenix* m_window = nullptr;
    std::unique_ptr<WizardDriver> m_driver;
};

namespace {

const QSize PictureSize(60, 30);

// A request's fields after its opcode; the index stands as "<index>".
QString fields(const Message& m)
{
    QStringList values;
    for (int i = 1; i < m.count(); ++i) {
        if (m.getBytes(i))
            values << QStringLiteral("<index>");
        else if (const char* text = m.getString(i))
            values << QString::fromLatin1(text);
        else
            values << QString::number(m.getInt(i));
    }
    return values.join(QLatin1Char(' '));
}

} // namespace

void TestEditorWizard::init()
{
    m_test = std::make_unique<TestWindow>();
    m_window = m_test->window.get();
    m_window->map()->setPictures({{QStringLiteral("world"), landPicture(PictureSize)}});
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_window->showEditor();
    m_driver = std::make_unique<WizardDriver>(m_window);
}

void TestEditorWizard::cleanup()
{
    m_driver.reset();
    m_test.reset();
}

void TestEditorWizard::shortcut(QKeyCombination keys)
{
    QTest::keyClick(m_window, keys.key(), keys.keyboardModifiers());
}

// What the wizard asks at each step is tested on the wizard, what the board
// does and sends on the board; here the gestures go all the way to the
// requests sent.
void TestEditorWizard::wholeMapThroughTheWizard()
{
    const ThreeCountries plan(PictureSize);
    m_driver->drawThreeCountries(plan, 1, QStringLiteral("Trio"));
    QVERIFY2(m_driver->errors().isEmpty(), qPrintable(m_driver->errors().join(u'\n')));
    QStringList sent;
    for (const Message& m : m_test->sent)
        sent << QLatin1String(Protocol::opcodeName(Protocol::opcodeOf(m))) + QLatin1Char(' ') +
                    fields(m);
    QCOMPARE(sent.size(), 14);
    QCOMPARE(sent.first(), QStringLiteral("StartMap world Trio <index>"));
    QCOMPARE(sent.at(2), QStringLiteral("ContinentMap 1 East 5"));
    const QRect& a = plan.gammaArea;
    QCOMPARE(sent.at(9), QStringLiteral("CountryMap 3 Gamma 1 %1 %2 %3 %4 %5 %6")
                             .arg(plan.gammaLabel.x())
                             .arg(plan.gammaLabel.y())
                             .arg(a.x())
                             .arg(a.y())
                             .arg(a.width())
                             .arg(a.height()));
    QCOMPARE(sent.mid(10, 2),
             QStringList({QStringLiteral("NeighbourMap 3 2"), QStringLiteral("NeighbourMap 3 1")}));
    QCOMPARE(sent.last(), QStringLiteral("EndMap 1"));
    // Every land pixel of the index sent is claimed.
    const qint32* index = m_window->map()->picture().index();
    QCOMPARE(std::count(index, index + PictureSize.width() * PictureSize.height(), 0), 0);
    QCOMPARE(m_driver->page(), MapEditor::IntroPage);
}

// Ctrl+Z and Ctrl+Shift+Z walk back and forth through paint and erase
// strokes; the board shows exactly what it showed before each one.
void TestEditorWizard::undoAndRedoRestoreTheBoardExactly()
{
    WizardDriver& d = *m_driver;
    d.openOn(QStringLiteral("world"));
    d.press("EditorPaintButton");
    QList<QImage> shown{board()};
    d.drag({10, 5}, {30, 20});
    shown << board();
    // Starts on the first line's end, so the two share a point.
    d.drag({31, 21}, {50, 8});
    shown << board();
    d.press("EditorEraseButton");
    // The shared point takes both lines with it.
    d.click({30, 20});
    shown << board();
    QVERIFY(m_window->map()->lines().empty());
    // One undo too many leaves the board as it is.
    for (qsizetype i = shown.size() - 2; i >= -1; --i) {
        shortcut(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(board(), shown[std::max<qsizetype>(i, 0)]);
    }
    for (qsizetype i = 1; i < shown.size(); ++i) {
        shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QCOMPARE(board(), shown[i]);
    }
    // The preview burns in only the strokes not taken back.
    shortcut(Qt::CTRL | Qt::Key_Z);
    shortcut(Qt::CTRL | Qt::Key_Z);
    d.press("EditorContinueButton");
    QCOMPARE(m_window->map()->picture().indexAt({30, 20}), MapPicture::Outside);
    QCOMPARE(m_window->map()->picture().indexAt({40, 14}), MapPicture::Unclaimed);
    QVERIFY2(d.errors().isEmpty(), qPrintable(d.errors().join(u'\n')));
}

// The map of a game the user is put into takes over from the wizard.
void TestEditorWizard::gameMapResetsTheWizard()
{
    const ThreeCountries plan(PictureSize);
    WizardDriver& d = *m_driver;
    d.openOn(QStringLiteral("world"));
    d.paintBorders(plan);
    d.press("EditorYesButton");
    d.makeContinents();
    d.makeCountries(plan);
    Parser* parser = m_window->parser();
    emit parser->startMap(12, QStringLiteral("Isles"), QStringLiteral("world"), nullptr, 0);
    emit parser->continentMap(1, QStringLiteral("All"), 2);
    emit parser->countryMap(1, QStringLiteral("One"), 1, 5, 5, 2, 2, 56, 26);
    emit parser->endMap();
    QCOMPARE(d.page(), MapEditor::IntroPage);
    QVERIFY(m_window->mapEditor()->countryNames().empty());
    QCOMPARE(m_window->map()->mapId(), 12);
    QVERIFY(m_test->sent.isEmpty());

    // The next map starts from scratch on a bare picture.
    d.openOn(QStringLiteral("world"));
    QCOMPARE(m_window->map()->mapId(), 0);
    QCOMPARE(m_window->map()->picture().indexAt(plan.inAlpha), MapPicture::Unclaimed);
    QVERIFY2(d.errors().isEmpty(), qPrintable(d.errors().join(u'\n')));
}

void TestEditorWizard::editorShowsAfterLoginAndLeavingAGame()
{
    MapEditor* editor = m_window->mapEditor();
    editor->setCurrentIndex(MapEditor::CountryPage);
    emit m_window->parser()->success(QStringLiteral("Me"));
    QCOMPARE(m_window->stack()->currentWidget(), editor);
    QCOMPARE(editor->currentPage(), MapEditor::IntroPage);

    m_test->announceGame(12);
    m_test->announceUser(QStringLiteral("Me"), 12);
    editor->setCurrentIndex(MapEditor::LinesPage);
    m_test->moveUser(QStringLiteral("Me"), 0, 0);
    QCOMPARE(m_window->stack()->currentWidget(), editor);
    QCOMPARE(editor->currentPage(), MapEditor::IntroPage);
}

void TestEditorWizard::storedMapIsReported_data()
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

void TestEditorWizard::storedMapIsReported()
{
    QFETCH(QString, typed);
    QFETCH(bool, personal);
    QFETCH(int, slot);
    QFETCH(QString, name);
    QFETCH(QString, report);

    MapStoreWatch* watch = m_window->storeWatch();
    watch->setTimeout(150);
    emit m_window->mapEditor()->store(1, typed);
    QVERIFY(!m_test->sent.isEmpty() && Protocol::is(m_test->sent.last(), Opcode::EndMap));
    if (slot >= 0)
        emit m_window->parser()->slot(personal, slot, 1001, name, QStringLiteral("Me"));
    QTRY_COMPARE_WITH_TIMEOUT(m_test->lastLine(), report, 2000);
    QCOMPARE(watch->pendingCount(), 0);
    // Said once: neither a late slot nor the timer adds another line.
    const int lines = m_window->output()->lineCount();
    emit m_window->parser()->slot(true, 1, 1001, QStringLiteral("Trio"), QStringLiteral("Me"));
    QTest::qWait(200);
    QCOMPARE(m_window->output()->lineCount(), lines);
}

QTEST_MAIN(TestEditorWizard)
#include "tst_editorwizard.moc"
