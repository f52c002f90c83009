#include "../core/testwindow.h"
#include "indexcodec.h"
#include "mapeditor.h"
#include "mapstorewatch.h"
#include "wizarddriver.h"

#include <QStackedWidget>
#include <QtEndian>

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

QString numbers(std::initializer_list<int> values)
{
    QStringList texts;
    for (int value : values)
        texts << QString::number(value);
    return texts.join(QLatin1Char(' '));
}

std::optional<QList<qint32>> inflateIndex(const Message& start)
{
    const QByteArray gzip(reinterpret_cast<const char*>(start.getBytes(3)), start.fieldLength(3));
    const std::optional<QByteArray> raw = IndexCodec::inflateBounded(gzip, 1 << 20);
    if (!raw || raw->size() % 4 != 0)
        return std::nullopt;
    QList<qint32> words;
    for (qsizetype i = 0; i < raw->size(); i += 4)
        words << qFromBigEndian<qint32>(raw->constData() + i);
    return words;
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

// What the board does at each step is tested on the board; here the walk
// goes from the buttons and the mouse to the requests sent.
void TestEditorWizard::wholeMapThroughTheWizard()
{
    const ThreeCountries plan(PictureSize);
    WizardDriver& d = *m_driver;
    d.openOn(QStringLiteral("world"));
    d.paintBorders(plan);
    // No: back to the borders, which wait to be drawn on.
    d.press("EditorNoButton");
    QCOMPARE(d.page(), MapEditor::BordersPage);
    QCOMPARE(int(m_window->map()->lines().size()), 2);
    d.press("EditorContinueButton");
    d.press("EditorYesButton");
    d.makeContinents();
    d.makeCountries(plan);
    d.paintSeaLine(plan);
    d.pickNeighbours(plan);
    QVERIFY(m_test->sent.isEmpty());
    d.storeIn(1, QStringLiteral("Trio"));
    QVERIFY2(d.errors().isEmpty(), qPrintable(d.errors().join(u'\n')));

    // Continents numbered from 0, countries from 1, each country's
    // neighbours after it in the order picked, the slot as its entry.
    QStringList want{QStringLiteral("StartMap world Trio <index>"),
                     QStringLiteral("ContinentMap 0 West 3"),
                     QStringLiteral("ContinentMap 1 East 5")};
    const QStringList names{QStringLiteral("Alpha"), QStringLiteral("Beta"),
                            QStringLiteral("Gamma")};
    const QList<QPoint> labels{plan.alphaLabel, plan.inBeta, plan.gammaLabel};
    const QList<QRect> areas{plan.alphaArea, plan.betaArea, plan.gammaArea};
    const QList<QList<int>> neighbours{{2, 3}, {1, 3}, {2, 1}};
    for (int i = 0; i < 3; ++i) {
        const QRect& a = areas[i];
        want << QStringLiteral("CountryMap %1 %2 ").arg(i + 1).arg(names[i]) +
                    numbers({i == 0 ? 0 : 1, labels[i].x(), labels[i].y(), a.x(), a.y(), a.width(),
                             a.height()});
        for (int n : neighbours[i])
            want << QStringLiteral("NeighbourMap ") + numbers({i + 1, n});
    }
    const QLine& line = plan.seaLine;
    want << QStringLiteral("LineMap ") + numbers({line.x1(), line.y1(), line.x2(), line.y2()})
         << QStringLiteral("EndMap 1");
    QStringList got;
    for (const Message& m : m_test->sent)
        got << QLatin1String(Protocol::opcodeName(Protocol::opcodeOf(m))) + QLatin1Char(' ') +
                   fields(m);
    QCOMPARE(got, want);

    // The index: sea and borders -1, halos -2, every land pixel claimed.
    const auto index = inflateIndex(m_test->sent.first());
    QVERIFY(index);
    QCOMPARE(index->size(), PictureSize.width() * PictureSize.height());
    auto at = [&](QPoint p) {
        return index->at(p.y() * PictureSize.width() + p.x());
    };
    QCOMPARE(at({0, 0}), -1);
    QCOMPARE(at({plan.westBorder.x1(), 10}), -1);
    QCOMPARE(at({plan.westBorder.x1() - 1, 10}), -2);
    QCOMPARE(at(plan.betaArea.bottomRight()), 2);
    QCOMPARE(std::count(index->begin(), index->end(), 0), 0);
    // The wizard starts over; the map it drew stays on the board.
    QCOMPARE(d.page(), MapEditor::IntroPage);
    QCOMPARE(int(m_window->map()->countries().size()), 3);
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
    for (qsizetype i = shown.size() - 2; i >= 0; --i) {
        shortcut(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(board(), shown[i]);
    }
    // Nothing left to undo: the board stays as it is.
    shortcut(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(board(), shown[0]);
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
    Parser* parser = m_window->parser();
    MapEditor* editor = m_window->mapEditor();
    QCOMPARE(m_window->stackPage(Tarvenix::EditorPage), editor);
    editor->setCurrentIndex(MapEditor::CountryPage);
    emit parser->success(QStringLiteral("Me"));
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
    QVERIFY(Protocol::is(m_test->sent.last(), Opcode::EndMap));
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
