#include "../core/testwindow.h"
#include "mapeditor.h"
#include "mapstorewatch.h"
#include "wizarddriver.h"

#include <QCryptographicHash>

// The wizard in the main window: a whole map drawn with the mouse and sent,
// and the report on whether the server stored a map.
class TestEditorWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void init();
    void cleanup();

    void wholeMapThroughTheWizard();
    void storedMapIsReported_data();
    void storedMapIsReported();

private:
    std::unique_ptr<TestWindow> m_test;
    Tarvenix* m_window = nullptr;
    std::unique_ptr<WizardDriver> m_driver;
};

void TestEditorWizard::init()
{
    m_test = std::make_unique<TestWindow>();
    m_window = m_test->window.get();
    m_window->map()->setPictures(
        {{QStringLiteral("europe"), QImage(QStringLiteral("Maps/Europe.png"))}});
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

// What the wizard asks at each step is tested on the wizard, what the board
// does and sends on the board; here the gestures go all the way to the
// requests sent.
void TestEditorWizard::wholeMapThroughTheWizard()
{
    const ThreeCountries plan = ThreeCountries::onEurope();
    m_driver->drawThreeCountries(plan, 1, QStringLiteral("Trio"));
    QVERIFY2(m_driver->errors().isEmpty(), qPrintable(m_driver->errors().join(u'\n')));
    const QList<Message>& sent = m_test->sent;
    QCOMPARE(sent.size(), 14);
    // Byte for byte the requests this plan has always given.
    QCryptographicHash digest(QCryptographicHash::Sha256);
    for (const Message& m : sent)
        digest.addData(m.data());
    QCOMPARE(digest.result().toHex(),
             QByteArray("91a5a5654bae17c0a8aeafd67427337b527376c865ab8e7cb3eab41fdc8d2897"));
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
