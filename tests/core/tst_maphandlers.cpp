#include "../map/testpicture.h"
#include "map.h"
#include "message.h"
#include "parser.h"
#include "protocol.h"
#include "sender.h"
#include "settings.h"
#include "tarvenix.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <tcl.h>

// The main window's map handlers, driven through the parser's signals as the
// server's messages would, and a stored map leaving through the sender.
class TestMapHandlers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mapArrivesAndLeavesInOrder();
    void countryAndDiceUpdates();

private:
    void sendMap(int id);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<Tarvenix> m_window;
    Parser* m_parser = nullptr;
    Map* m_map = nullptr;
    QList<Opcode> m_sent;
};

void TestMapHandlers::initTestCase()
{
    Tcl_FindExecutable(QCoreApplication::arguments().value(0).toLocal8Bit().constData());
}

void TestMapHandlers::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<Settings>(m_dir->filePath(QStringLiteral("tarvenix.cfg")));
    m_window = std::make_unique<Tarvenix>();
    m_parser = m_window->parser();
    m_map = m_window->map();
    QVERIFY(m_map);
    m_map->setPictures({{QStringLiteral("world"), TestPicture::image()}});
    m_sent.clear();
    connect(m_window->sender(), &Sender::send, this,
            [this](Message* message) { m_sent << Opcode(Protocol::opcodeOf(*message)); });
}

void TestMapHandlers::cleanup()
{
    m_window.reset();
    m_settings.reset();
    m_dir.reset();
}

void TestMapHandlers::sendMap(int id)
{
    const QByteArray block = TestPicture::compressedIndex();
    emit m_parser->startMap(id, QStringLiteral("Three"), QStringLiteral("world"), block.constData(),
                            int(block.size()));
    emit m_parser->continentMap(1, QStringLiteral("Land"), 5);
    emit m_parser->countryMap(1, QStringLiteral("Alpha"), 1, 6, 14, 2, 2, 16, 26);
    emit m_parser->countryMap(2, QStringLiteral("Beta"), 1, 26, 14, 21, 2, 17, 26);
    // An unknown continent drops the country, and later its neighbour pairs.
    emit m_parser->countryMap(3, QStringLiteral("Gamma"), 9, 46, 14, 41, 2, 17, 26);
    emit m_parser->neighbourMap(1, 2);
    emit m_parser->neighbourMap(2, 3);
    emit m_parser->lineMap(50, 20, 10, 5);
    emit m_parser->endMap();
}

void TestMapHandlers::mapArrivesAndLeavesInOrder()
{
    sendMap(5);
    QCOMPARE(m_map->mapId(), 5);
    QCOMPARE(m_map->mapName(), QStringLiteral("Three"));
    QVERIFY(!m_map->isLoading());
    QCOMPARE(int(m_map->countries().size()), 2);
    QVERIFY(m_map->country(1)->isNeighbour(2));
    QVERIFY(m_map->country(2)->isNeighbour(1));
    QCOMPARE(m_map->country(2)->neighbourCount(), 1);
    QCOMPARE(int(m_map->lines().size()), 1);
    QCOMPARE(m_map->picture().indexAt({28, 10}), 2);

    // After the end, map messages are ignored.
    emit m_parser->continentMap(2, QStringLiteral("Late"), 1);
    emit m_parser->lineMap(1, 1, 2, 2);
    QVERIFY(!m_map->continent(2));
    QCOMPARE(int(m_map->lines().size()), 1);

    m_map->store(2, QStringLiteral("Mine"));
    QCOMPARE(m_sent, QList<Opcode>({Opcode::StartMap, Opcode::ContinentMap, Opcode::CountryMap,
                                    Opcode::NeighbourMap, Opcode::CountryMap, Opcode::NeighbourMap,
                                    Opcode::LineMap, Opcode::EndMap}));

    // The same map again skips to its end, keeping the board; another one replaces it.
    emit m_parser->country(1, 2, 7);
    sendMap(5);
    QCOMPARE(m_map->country(1)->owner, 2);
    QCOMPARE(m_map->country(1)->armies, 7);
    QCOMPARE(m_map->country(2)->neighbourCount(), 1);
    QCOMPARE(int(m_map->lines().size()), 1);
    sendMap(6);
    QCOMPARE(m_map->mapId(), 6);
    QCOMPARE(m_map->country(1)->owner, -1);
    QCOMPARE(m_map->countriesPie().total(), 0);
}

void TestMapHandlers::countryAndDiceUpdates()
{
    sendMap(5);
    emit m_parser->country(1, 0, 4);
    m_map->highlightCountry(1);
    QVERIFY(m_map->country(1)->selected);
    emit m_parser->country(2, 1, 3);
    QVERIFY(!m_map->country(1)->selected);
    QCOMPARE(m_map->country(2)->owner, 1);
    QCOMPARE(m_map->armiesPie().value(1), 3);
    // Unknown countries change nothing.
    emit m_parser->country(42, 1, 3);
    QCOMPARE(m_map->armiesPie().total(), 7);

    emit m_parser->dice(0, 6, 5, 0, 3, 2, 9);
    QCOMPARE(m_map->die(0).value(), 6);
    QCOMPARE(m_map->die(2).value(), 0);
    QCOMPARE(m_map->die(3).value(), 2);
    QCOMPARE(m_map->die(4).value(), 0);
}

QTEST_MAIN(TestMapHandlers)
#include "tst_maphandlers.moc"
