#include "../net/fields.h"
#include "fieldbounds.h"
#include "lobbymodel.h"
#include "playerlist.h"
#include "testwindow.h"

#include <QSignalSpy>
#include <QTest>

#include <climits>
#include <memory>

// Numbers from a hostile server, the extremes of int among them, go through
// the parser into the main window's handlers, the models and the painted
// board: they arrive within bounds, every sum made of them stays defined,
// and sane numbers come through as they were.
class TestHostileValues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void numbersFromTheServer_data();
    void numbersFromTheServer();
};

namespace {

using Messages = QList<QVariantList>;

QVariantList country1(int textX, int textY, int areaX, int areaY, int width, int height)
{
    return {op(Opcode::CountryMap),
            1,
            QByteArray("Alpha"),
            1,
            textX,
            textY,
            areaX,
            areaY,
            width,
            height};
}

QVariantList sameCountry1()
{
    return country1(6, 14, 2, 2, 16, 26);
}

// The probes a row may name, read after its messages.
int probe(const Tarvenix& window, const QSignalSpy& users, const QString& name)
{
    const Map* map = window.map();
    const Country* alpha = map->country(1);
    if (name == QLatin1String("armies"))
        return alpha ? alpha->armies : INT_MIN;
    if (name == QLatin1String("armies pie"))
        return map->armiesPie().total();
    if (name == QLatin1String("armies of seat 0"))
        return window.map()->model().armiesOf(0);
    if (name == QLatin1String("label x"))
        return alpha ? alpha->textX : INT_MIN;
    if (name == QLatin1String("label rectangle left"))
        return alpha ? map->labelRect(*alpha).left() : INT_MIN;
    if (name == QLatin1String("card armies")) {
        const PlayerEntry* entry = window.playerList()->seats().entry(0);
        return entry ? entry->cardArmies : INT_MIN;
    }
    if (name == QLatin1String("game of Bob")) {
        const UserInfo* bob = window.lobby()->findUser(QStringLiteral("Bob"));
        return bob ? bob->gameId : INT_MIN;
    }
    // What the handlers and the scripts get.
    if (name == QLatin1String("playing of Bob"))
        return users.isEmpty() ? INT_MIN : users.last().at(3).toInt();
    if (name == QLatin1String("lines"))
        return int(map->lines().size());
    qFatal("no probe %s", qPrintable(name));
}

} // namespace

void TestHostileValues::initTestCase()
{
    TestWindow::initTestCase();
}

void TestHostileValues::numbersFromTheServer_data()
{
    QTest::addColumn<QVariantList>("alpha");
    QTest::addColumn<Messages>("messages");
    QTest::addColumn<Messages>("repeated");
    QTest::addColumn<int>("repeat");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<int>("expected");

    const int seat0 = 0;
    const QVariantList bob = {op(Opcode::NewUser), QByteArray("Bob"), QByteArray("bob.example")};
    const auto country = [](int number, int owner, int armies) {
        return QVariantList{op(Opcode::Country), number, owner, armies};
    };
    const auto user = [](int playing, int watching) {
        return QVariantList{op(Opcode::User),
                            QByteArray("Bob"),
                            1500,
                            3,
                            playing,
                            watching,
                            0,
                            QByteArray(""),
                            0,
                            0,
                            1};
    };
    const QVariantList robot = {op(Opcode::Player), seat0, 1, QByteArray("Anvil")};
    const auto exchanged = [](int armies) {
        return QVariantList{op(Opcode::Exchanged), 0, armies};
    };
    const auto line = [](int x1, int y1, int x2, int y2) {
        return QVariantList{op(Opcode::LineMap), x1, y1, x2, y2};
    };
    using FieldBounds::Armies;
    using FieldBounds::Coordinate;
    using FieldBounds::Number;

    const Messages none;
    const QVariantList game12 = {op(Opcode::NewGame), 12, 5, QByteArray("Three"),
                                 QByteArray("Ann")};
    QTest::newRow("sane armies") << sameCountry1() << Messages{country(1, 0, 7)} << none << 0
                                 << "armies" << 7;
    QTest::newRow("sane armies pie")
        << sameCountry1() << Messages{country(1, 0, 7), country(2, 0, 5)} << none << 0
        << "armies pie" << 12;
    QTest::newRow("most armies") << sameCountry1() << Messages{country(1, 0, INT_MAX)} << none << 0
                                 << "armies" << Armies;
    QTest::newRow("fewest armies")
        << sameCountry1() << Messages{country(1, 0, INT_MIN)} << none << 0 << "armies" << -Armies;
    QTest::newRow("armies swinging")
        << sameCountry1() << none << Messages{country(1, 0, INT_MAX), country(1, 1, INT_MIN)} << 50
        << "armies pie" << -Armies;
    QTest::newRow("armies of a seat")
        << sameCountry1() << Messages{country(1, 0, INT_MAX), country(2, 0, INT_MAX)} << none << 0
        << "armies of seat 0" << 2 * Armies;

    QTest::newRow("sane label") << sameCountry1() << none << none << 0 << "label rectangle left"
                                << 4;
    QTest::newRow("label far left")
        << country1(INT_MIN, INT_MIN, 2, 2, 16, 26) << Messages{country(1, 0, 3)} << none << 0
        << "label rectangle left" << -Coordinate - 2;
    QTest::newRow("label far right")
        << country1(INT_MAX, INT_MAX, 2, 2, 16, 26) << Messages{country(1, 0, 3)} << none << 0
        << "label x" << Coordinate;
    QTest::newRow("area beyond every edge")
        << country1(6, 14, INT_MAX, INT_MIN, INT_MAX, INT_MAX) << Messages{country(1, 0, 3)} << none
        << 0 << "armies" << 3;

    QTest::newRow("sane card armies")
        << sameCountry1() << Messages{robot} << Messages{exchanged(10)} << 2 << "card armies" << 20;
    QTest::newRow("card armies pile up")
        << sameCountry1() << Messages{robot} << Messages{exchanged(INT_MAX)} << 3000
        << "card armies" << Number;

    QTest::newRow("sane user in a game")
        << sameCountry1() << Messages{game12, bob, user(12, 0)} << none << 0 << "game of Bob" << 12;
    QTest::newRow("user in two games at the far end")
        << sameCountry1() << Messages{game12, bob, user(INT_MAX, INT_MAX)} << none << 0
        << "playing of Bob" << Number;
    QTest::newRow("user at the near end")
        << sameCountry1() << Messages{game12, bob, user(INT_MIN, INT_MIN)} << none << 0
        << "playing of Bob" << -Number;

    QTest::newRow("sane line") << sameCountry1() << Messages{line(50, 20, 10, 5)} << none << 0
                               << "lines" << 1;
    QTest::newRow("line across everything")
        << sameCountry1() << Messages{line(INT_MIN, INT_MIN, INT_MAX, INT_MAX)} << none << 0
        << "lines" << 1;
}

void TestHostileValues::numbersFromTheServer()
{
    QFETCH(QVariantList, alpha);
    QFETCH(Messages, messages);
    QFETCH(Messages, repeated);
    QFETCH(int, repeat);
    QFETCH(QString, probe);
    QFETCH(int, expected);

    TestWindow game;
    Tarvenix* window = game.window.get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    Parser* parser = window->parser();
    const QSignalSpy users(parser, &Parser::user);
    const auto feed = [parser](const QVariantList& fields) {
        Message message = messageOf(fields);
        parser->parse(&message);
    };

    // Lines are part of the map, so line rows go in before its end.
    const bool lineRow = !messages.isEmpty() && messages.first().first() == op(Opcode::LineMap);
    feed({op(Opcode::StartMap), 5, QByteArray("Three"), QByteArray("world"),
          QVariant::fromValue(Block{TestPicture::compressedIndex()})});
    feed({op(Opcode::ContinentMap), 1, QByteArray("Land"), 5});
    feed(alpha);
    feed({op(Opcode::CountryMap), 2, QByteArray("Beta"), 1, 26, 14, 21, 2, 17, 26});
    if (lineRow)
        feed(messages.takeFirst());
    feed({op(Opcode::EndMap)});
    for (const QVariantList& fields : std::as_const(messages))
        feed(fields);
    for (int i = 0; i < repeat; ++i) {
        for (const QVariantList& fields : std::as_const(repeated))
            feed(fields);
    }
    // Painting draws the labels, the lines and the pies from the numbers.
    window->grab();
    QCOMPARE(::probe(*window, users, probe), expected);
}

QTEST_MAIN(TestHostileValues)
#include "tst_hostilevalues.moc"
