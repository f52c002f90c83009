#include "../net/fields.h"
#include "fieldbounds.h"
#include "lobbymodel.h"
#include "playerlist.h"
#include "testwindow.h"

#include <QSignalSpy>
#include <QTest>

#include <climits>

// Numbers from a hostile server, the extremes of int among them, go through
// the parser into the main window's handlers, the models and the painted
// board: they arrive within bounds, every sum made of them stays defined,
// and sane numbers come through as they were.
class TestHostileValues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestWindow::initTestCase(); }
    void numbersFromTheServer_data();
    void numbersFromTheServer();
};

namespace {

using Messages = QList<QVariantList>;

// Country 1 of the test map with its label at x, y and its area.
QVariantList alpha(int x = 6, int y = 14, QList<int> area = {2, 2, 16, 26})
{
    QVariantList fields{op(Opcode::CountryMap), 1, QByteArray("Alpha"), 1, x, y};
    for (int value : area)
        fields << value;
    return fields;
}

QVariantList country(int number, int owner, int armies)
{
    return {op(Opcode::Country), number, owner, armies};
}

// The probes a row may name, read after its messages.
int probe(const Tarvenix& window, const QSignalSpy& users, const QString& name)
{
    const Map* map = window.map();
    const Country* alpha = map->country(1);
    if (name == QLatin1String("armies"))
        return alpha->armies;
    if (name == QLatin1String("armies pie"))
        return map->armiesPie().total();
    if (name == QLatin1String("armies of seat 0"))
        return map->model().armiesOf(0);
    if (name == QLatin1String("label rectangle left"))
        return map->labelRect(*alpha).left();
    if (name == QLatin1String("card armies"))
        return window.playerList()->seats().entry(0)->cardArmies;
    // What the handlers and the scripts get.
    if (name == QLatin1String("playing of Bob"))
        return users.last().at(3).toInt();
    if (name == QLatin1String("lines"))
        return int(map->lines().size());
    qFatal("no probe %s", qPrintable(name));
}

} // namespace

void TestHostileValues::numbersFromTheServer_data()
{
    QTest::addColumn<QVariantList>("alpha");
    QTest::addColumn<Messages>("messages");
    QTest::addColumn<Messages>("repeated");
    QTest::addColumn<int>("repeat");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<int>("expected");

    const Messages none;
    const auto user = [](int playing, int watching) {
        return Messages{{op(Opcode::NewGame), 12, 5, QByteArray("Three"), QByteArray("Ann")},
                        {op(Opcode::NewUser), QByteArray("Bob"), QByteArray("bob.example")},
                        {op(Opcode::User), QByteArray("Bob"), 1500, 3, playing, watching, 0,
                         QByteArray(""), 0, 0, 1}};
    };
    const Messages robot{{op(Opcode::Player), 0, 1, QByteArray("Anvil")}};
    const auto exchanged = [](int armies) {
        return Messages{{op(Opcode::Exchanged), 0, armies}};
    };
    using FieldBounds::Armies;
    using FieldBounds::Coordinate;
    using FieldBounds::Number;

    QTest::newRow("sane armies pie") << alpha() << Messages{country(1, 0, 7), country(2, 0, 5)}
                                     << none << 0 << "armies pie" << 12;
    QTest::newRow("most armies") << alpha() << Messages{country(1, 0, INT_MAX)} << none << 0
                                 << "armies" << Armies;
    QTest::newRow("armies swinging")
        << alpha() << none << Messages{country(1, 0, INT_MAX), country(1, 1, INT_MIN)} << 50
        << "armies pie" << -Armies;
    QTest::newRow("armies of a seat")
        << alpha() << Messages{country(1, 0, INT_MAX), country(2, 0, INT_MAX)} << none << 0
        << "armies of seat 0" << 2 * Armies;
    QTest::newRow("label far left") << alpha(INT_MIN, INT_MIN) << Messages{country(1, 0, 3)} << none
                                    << 0 << "label rectangle left" << -Coordinate - 2;
    QTest::newRow("area beyond every edge")
        << alpha(6, 14, {INT_MAX, INT_MIN, INT_MAX, INT_MAX}) << Messages{country(1, 0, 3)} << none
        << 0 << "armies" << 3;
    QTest::newRow("sane card armies")
        << alpha() << robot << exchanged(10) << 2 << "card armies" << 20;
    QTest::newRow("card armies pile up")
        << alpha() << robot << exchanged(INT_MAX) << 3000 << "card armies" << Number;
    QTest::newRow("user in two games at the far end")
        << alpha() << user(INT_MAX, INT_MAX) << none << 0 << "playing of Bob" << Number;
    QTest::newRow("line across everything")
        << alpha() << Messages{{op(Opcode::LineMap), INT_MIN, INT_MIN, INT_MAX, INT_MAX}} << none
        << 0 << "lines" << 1;
}

void TestHostileValues::numbersFromTheServer()
{
    QFETCH(QVariantList, alpha);
    QFETCH(Messages, messages);
    QFETCH(Messages, repeated);
    QFETCH(int, repeat);
    QFETCH(QString, probe);

    TestWindow game;
    Tarvenix* window = game.window.get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QSignalSpy users(game.parser, &Parser::user);
    const auto feed = [&game](const QVariantList& fields) {
        Message message = messageOf(fields);
        game.parser->parse(&message);
    };

    // Lines are part of the map, so line rows go in before its end.
    const bool lineRow = messages.value(0).value(0) == op(Opcode::LineMap);
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
    QTEST(::probe(*window, users, probe), "expected");
}

QTEST_MAIN(TestHostileValues)
#include "tst_hostilevalues.moc"
