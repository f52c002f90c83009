#include "../core/testwindow.h"
#include "indexcodec.h"
#include "mapeditor.h"
#include "mapstorewatch.h"
#include "tint.h"
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
    QList<const Message*> sent(Opcode opcode) const;
    QImage board() const { return m_window->map()->grab().toImage(); }
    void shortcut(QKeyCombination keys);

    std::unique_ptr<TestWindow> m_test;
    Tarvenix* m_window = nullptr;
    std::unique_ptr<WizardDriver> m_driver;
};

namespace {

const QSize PictureSize(60, 30);

QString text(const Message* m, int i)
{
    return QString::fromLatin1(m->getString(i));
}

QList<int> ints(const Message* m)
{
    QList<int> values;
    for (int i = 0; i < m->count(); ++i)
        values << m->getInt(i);
    return values;
}

// The index words of a map sent to the server.
std::optional<QList<qint32>> inflateIndex(const Message* start)
{
    const QByteArray gzip(reinterpret_cast<const char*>(start->getBytes(3)), start->fieldLength(3));
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

QList<const Message*> TestEditorWizard::sent(Opcode opcode) const
{
    QList<const Message*> found;
    for (const Message& m : m_test->sent) {
        if (Protocol::is(m, opcode))
            found << &m;
    }
    return found;
}

void TestEditorWizard::shortcut(QKeyCombination keys)
{
    QTest::keyClick(m_window, keys.key(), keys.keyboardModifiers());
}

void TestEditorWizard::wholeMapThroughTheWizard()
{
    const ThreeCountries plan(PictureSize);
    WizardDriver& d = *m_driver;
    Map* map = m_window->map();
    const MapPicture& picture = map->picture();

    d.openOn(QStringLiteral("world"));
    d.paintBorders(plan);
    QVERIFY2(d.errors().isEmpty(), qPrintable(d.errors().join(u'\n')));
    QCOMPARE(map->mode(), MapMode::Preview);
    QCOMPARE(picture.indexAt({plan.westBorder.x1(), 10}), MapPicture::Outside);
    QCOMPARE(picture.indexAt({plan.eastBorder.x1() + 1, 10}), MapPicture::Halo);

    // No: the picture is bare again, but the lines wait to be drawn on.
    d.press("EditorNoButton");
    QCOMPARE(d.page(), MapEditor::BordersPage);
    QCOMPARE(map->mode(), MapMode::PaintBorders);
    QCOMPARE(picture.indexAt({plan.westBorder.x1(), 10}), MapPicture::Unclaimed);
    QCOMPARE(int(map->lines().size()), 2);
    QCOMPARE(map->points().size(), 4);
    d.press("EditorContinueButton");
    d.press("EditorYesButton");
    QVERIFY(map->lines().empty() && map->points().isEmpty());
    QCOMPARE(picture.indexAt({plan.westBorder.x1(), 10}), MapPicture::Outside);

    d.makeContinents();
    d.makeCountries(plan);
    QVERIFY2(d.errors().isEmpty(), qPrintable(d.errors().join(u'\n')));
    // Each country turned yellow as its last step ended.
    for (QPoint p : {plan.inAlpha, plan.inBeta, plan.inGamma})
        QCOMPARE(picture.coloured().pixel(p), Tint(Qt::yellow).apply(picture.picture().pixel(p)));
    d.paintSeaLine(plan);
    QVERIFY(map->points().isEmpty());
    QCOMPARE(int(map->lines().size()), 1);
    QCOMPARE(map->mode(), MapMode::PickNeighbours);
    d.pickNeighbours(plan);
    QCOMPARE(map->country(1)->neighbours(), QList<int>({2, 3}));
    QCOMPARE(map->country(3)->neighbours(), QList<int>({2, 1}));
    QVERIFY2(d.errors().isEmpty(), qPrintable(d.errors().join(u'\n')));
    QVERIFY(m_test->sent.isEmpty());

    d.storeIn(1, QStringLiteral("Trio"));
    QVERIFY2(d.errors().isEmpty(), qPrintable(d.errors().join(u'\n')));

    QList<Opcode> opcodes;
    for (const Message& m : m_test->sent)
        opcodes << Opcode(Protocol::opcodeOf(m));
    QCOMPARE(opcodes, QList<Opcode>({Opcode::StartMap, Opcode::ContinentMap, Opcode::ContinentMap,
                                     Opcode::CountryMap, Opcode::NeighbourMap, Opcode::NeighbourMap,
                                     Opcode::CountryMap, Opcode::NeighbourMap, Opcode::NeighbourMap,
                                     Opcode::CountryMap, Opcode::NeighbourMap, Opcode::NeighbourMap,
                                     Opcode::LineMap, Opcode::EndMap}));

    const Message* start = sent(Opcode::StartMap).first();
    QCOMPARE(start->count(), 4);
    QCOMPARE(text(start, 1), QStringLiteral("world"));
    QCOMPARE(text(start, 2), QStringLiteral("Trio"));
    const auto index = inflateIndex(start);
    QVERIFY(index);
    QCOMPARE(index->size(), PictureSize.width() * PictureSize.height());
    auto at = [&](QPoint p) {
        return index->at(p.y() * PictureSize.width() + p.x());
    };
    QCOMPARE(at({0, 0}), -1);
    QCOMPARE(at({plan.westBorder.x1(), 10}), -1);
    QCOMPARE(at({plan.westBorder.x1() - 1, 10}), -2);
    QCOMPARE(at(plan.alphaArea.topLeft()), 1);
    QCOMPARE(at(plan.betaArea.bottomRight()), 2);
    QCOMPARE(at(plan.gammaArea.topLeft()), 3);
    QCOMPARE(std::count(index->begin(), index->end(), 0), 0);

    const auto continents = sent(Opcode::ContinentMap);
    QCOMPARE(text(continents[0], 2), QStringLiteral("West"));
    QCOMPARE(ints(continents[0]).mid(0, 2), QList<int>({int(Opcode::ContinentMap), 0}));
    QCOMPARE(continents[0]->getInt(3), 3);
    QCOMPARE(text(continents[1], 2), QStringLiteral("East"));
    QCOMPARE(continents[1]->getInt(1), 1);
    QCOMPARE(continents[1]->getInt(3), 5);

    const auto countries = sent(Opcode::CountryMap);
    const QStringList names{QStringLiteral("Alpha"), QStringLiteral("Beta"),
                            QStringLiteral("Gamma")};
    const QList<QPoint> labels{plan.alphaLabel, plan.inBeta, plan.gammaLabel};
    const QList<QRect> areas{plan.alphaArea, plan.betaArea, plan.gammaArea};
    for (int i = 0; i < 3; ++i) {
        const Message* c = countries[i];
        QCOMPARE(c->count(), 10);
        QCOMPARE(c->getInt(1), i + 1);
        QCOMPARE(text(c, 2), names[i]);
        QCOMPARE(c->getInt(3), i == 0 ? 0 : 1);
        QCOMPARE(QPoint(c->getInt(4), c->getInt(5)), labels[i]);
        QCOMPARE(QRect(c->getInt(6), c->getInt(7), c->getInt(8), c->getInt(9)), areas[i]);
    }

    QList<QList<int>> pairs;
    for (const Message* n : sent(Opcode::NeighbourMap))
        pairs << ints(n).mid(1);
    QCOMPARE(pairs, QList<QList<int>>({{1, 2}, {1, 3}, {2, 1}, {2, 3}, {3, 2}, {3, 1}}));
    QCOMPARE(ints(sent(Opcode::LineMap).first()),
             QList<int>({int(Opcode::LineMap), plan.seaLine.x1(), plan.seaLine.y1(),
                         plan.seaLine.x2(), plan.seaLine.y2()}));
    QCOMPARE(ints(sent(Opcode::EndMap).first()), QList<int>({int(Opcode::EndMap), 1}));
    // The wizard starts over; the map it drew stays on the board.
    QCOMPARE(d.page(), MapEditor::IntroPage);
    QCOMPARE(int(map->countries().size()), 3);
}

// Ctrl+Z and Ctrl+Shift+Z walk back and forth through paint and erase
// strokes; the board shows exactly what it showed before each one.
void TestEditorWizard::undoAndRedoRestoreTheBoardExactly()
{
    WizardDriver& d = *m_driver;
    Map* map = m_window->map();
    d.openOn(QStringLiteral("world"));
    d.press("EditorPaintButton");
    QList<QImage> shown{board()};
    d.drag({10, 5}, {30, 20});
    shown << board();
    // Starts on the first line's end, so the two share a point.
    d.drag({31, 21}, {50, 8});
    shown << board();
    d.drag({20, 25}, {45, 25});
    shown << board();
    d.press("EditorEraseButton");
    // The shared point takes both lines with it, and their other ends.
    d.click({30, 20});
    shown << board();
    QCOMPARE(int(map->lines().size()), 1);
    QCOMPARE(map->points().size(), 2);
    for (int i = 1; i < shown.size(); ++i)
        QVERIFY(shown[i] != shown[i - 1]);

    for (qsizetype i = shown.size() - 2; i >= 0; --i) {
        shortcut(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(board(), shown[i]);
    }
    QVERIFY(map->lines().empty() && map->points().isEmpty());
    // Nothing left to undo: the board stays as it is.
    shortcut(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(board(), shown[0]);
    for (qsizetype i = 1; i < shown.size(); ++i) {
        shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QCOMPARE(board(), shown[i]);
    }

    // While the borders are checked the strokes stay as they are, and the
    // preview burns in only the strokes not taken back.
    shortcut(Qt::CTRL | Qt::Key_Z);
    d.press("EditorContinueButton");
    shortcut(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(map->picture().indexAt({30, 20}), MapPicture::Outside);
    d.press("EditorNoButton");
    QCOMPARE(int(map->lines().size()), 3);
    shortcut(Qt::CTRL | Qt::Key_Z);
    shortcut(Qt::CTRL | Qt::Key_Z);
    d.press("EditorContinueButton");
    QCOMPARE(map->picture().indexAt({30, 20}), MapPicture::Outside);
    QCOMPARE(map->picture().indexAt({40, 25}), MapPicture::Unclaimed);
    QVERIFY2(d.errors().isEmpty(), qPrintable(d.errors().join(u'\n')));
}

void TestEditorWizard::gameMapResetsTheWizard()
{
    const ThreeCountries plan(PictureSize);
    WizardDriver& d = *m_driver;
    Map* map = m_window->map();
    d.openOn(QStringLiteral("world"));
    d.paintBorders(plan);
    d.press("EditorYesButton");
    d.makeContinents();
    d.makeCountries(plan);
    d.press("EditorContinueButton");
    QCOMPARE(d.page(), MapEditor::NeighbourPage);

    // The map of a game the user is put into arrives meanwhile.
    Parser* parser = m_window->parser();
    emit parser->startMap(12, QStringLiteral("Isles"), QStringLiteral("world"), nullptr, 0);
    emit parser->continentMap(1, QStringLiteral("All"), 2);
    emit parser->countryMap(1, QStringLiteral("One"), 1, 5, 5, 2, 2, 56, 26);
    emit parser->endMap();
    QCOMPARE(d.page(), MapEditor::IntroPage);
    QVERIFY(m_window->mapEditor()->countryNames().empty());
    QCOMPARE(map->mapId(), 12);
    QVERIFY(m_test->sent.isEmpty());

    // Whatever the board was last asked to do, it draws nothing on the
    // game's map.
    m_window->editorPaintBorders();
    d.drag({10, 5}, {40, 20});
    QVERIFY(map->lines().empty() && map->points().isEmpty());
    QVERIFY2(d.errors().isEmpty(), qPrintable(d.errors().join(u'\n')));

    // The next map starts from scratch on a bare picture.
    d.openOn(QStringLiteral("world"));
    QCOMPARE(map->mapId(), 0);
    QCOMPARE(map->picture().indexAt(plan.inAlpha), MapPicture::Unclaimed);
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
    QTest::newRow("other slot") << "Trio" << true << 2 << "Trio" << refused;
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
    QCOMPARE(sent(Opcode::EndMap).size(), 1);
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
