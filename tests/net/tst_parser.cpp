#include "fields.h"
#include "parser.h"

#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// One spy per signal of Parser, so a test sees every emission.
struct AllSignals
{
    explicit AllSignals(Parser& parser)
    {
        const QMetaObject& meta = Parser::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            const QMetaMethod method = meta.method(i);
            if (method.methodType() == QMetaMethod::Signal)
                spies.push_back(std::make_unique<QSignalSpy>(&parser, method));
        }
    }

    // Every emission, as the spy that saw it.
    QList<const QSignalSpy*> emitted() const
    {
        QList<const QSignalSpy*> seen;
        for (const auto& spy : spies)
            seen.append(QList<const QSignalSpy*>(spy->count(), spy.get()));
        return seen;
    }

    std::vector<std::unique_ptr<QSignalSpy>> spies;
};

} // namespace

// Decoding of every server message into its typed signal.
class TestParser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyOpcode_data();
    void everyOpcode();
    void emptyMessageEmitsNothing();
    void userFieldNineIsIgnored();
    void startMapBlock_data();
    void startMapBlock();
};

void TestParser::initTestCase()
{
    qRegisterMetaType<const char*>("const char*");
}

void TestParser::everyOpcode_data()
{
    QTest::addColumn<QVariantList>("fields");
    QTest::addColumn<QByteArray>("signature");
    QTest::addColumn<QVariantList>("expected");

    auto row = [](const char* name, const QVariantList& fields, const char* signature,
                  const QVariantList& expected) {
        QTest::newRow(name) << fields << QByteArray(signature) << expected;
    };
    using B = QByteArray;
    using S = QString;

    // Most rows expect the fields after the opcode, typed as the signal's
    // parameters.
    auto same = [&](const QVariantList& fields, const char* signature) {
        const QMetaObject& meta = Parser::staticMetaObject;
        const QMetaMethod method = meta.method(meta.indexOfSignal(signature));
        QVariantList expected;
        for (int i = 0; i < method.parameterCount(); ++i) {
            QVariant value = fields.value(i + 1);
            value.convert(method.parameterMetaType(i));
            expected.append(value);
        }
        row(signature, fields, signature, expected);
    };
    const char* newGame = "newGame(int,int,QString,QString,bool,bool,int,bool,bool,bool,bool,bool,"
                          "bool,int,int,int,bool,bool,int,bool,bool)";

    same({op(Opcode::Start)}, "start()");
    same({op(Opcode::Success), B("Bob")}, "success(QString)");
    same({op(Opcode::Failure), 5}, "failure(int)");
    same({op(Opcode::NewUser), B("ann"), B("host.example")}, "newUser(QString,QString)");
    row("user", {op(Opcode::User), B("ann"), 1510, 42, 7, 9, 1, B(":-)"), 1, 77, 3},
        "user(QString,int,int,int,int,bool,QString,bool,int)",
        {QStringLiteral("ann"), 1510, 42, 7, 9, true, QStringLiteral(":-)"), true, 3});
    same({op(Opcode::EndUser), B("ann")}, "endUser(QString)");
    same(QVariantList{op(Opcode::NewGame), 12, 34, B("World"), B("maker")} +
             QVariantList{1, 0, 300, 1, 0, 1, 0, 1, 0, 3, 1000, 2000, 1, 0, 2, 1, 0},
         newGame);
    row("newGame with only the id", {op(Opcode::NewGame), 12}, newGame,
        {12,    0,     S(), S(), false, false, 0,     false, false, false, false,
         false, false, 0,   0,   0,     false, false, 0,     false, false});
    same({op(Opcode::Game), 12, B("ann"), 1, 4, 3, 1, 0}, "game(int,QString,bool,int,int,int,int)");
    same({op(Opcode::EndGame), 12}, "endGame(int)");
    same({op(Opcode::GlobalChat), B("ann"), B("hi all")}, "globalChat(QString,QString)");
    same({op(Opcode::GameChat), B("ann"), B("attack!")}, "gameChat(QString,QString)");
    same({op(Opcode::Whisper), B("ann"), B("psst")}, "whisper(QString,QString)");
    same({op(Opcode::Player), 5, 1, B("Bot 1")}, "player(int,bool,QString)");
    same({op(Opcode::Country), 41, 2, 17}, "country(int,int,int)");
    same({op(Opcode::Robot), B("Bot"), B("ann"), 1200, 30, 2},
         "robot(QString,QString,int,int,int)");
    same({op(Opcode::Init), 35}, "init(int)");
    same({op(Opcode::Mask), B("*.example"), B("enemy")}, "mask(QString,QString)");
    same({op(Opcode::More), 3}, "more(int)");
    same({op(Opcode::Decide), 4}, "decide(int)");
    same({op(Opcode::Place), 1, 6}, "place(int,int)");
    row("attack", {op(Opcode::Attack), 3, 7, 2, 1}, "attack(int,int,int,bool)", {3, 7, 2, true});
    same({op(Opcode::Dice), 0, 6, 5, 1, 3, 4, 2}, "dice(int,int,int,int,int,int,int)");
    same({op(Opcode::Take), 3, 7, 2}, "take(int,int,int)");
    same({op(Opcode::Card), 3}, "card(int)");
    same({op(Opcode::Winner), 5}, "winner(int)");
    same({op(Opcode::Upgrade)}, "upgrade()");
    same({op(Opcode::Exchange), 2}, "exchange(int)");
    same({op(Opcode::Exchanged), 2, 10}, "exchanged(int,int)");
    same({op(Opcode::End)}, "end()");
    same({op(Opcode::Defend)}, "defend()");
    same({op(Opcode::Ping)}, "ping()");
    same({op(Opcode::Clock), 90}, "clock(int)");
    same({op(Opcode::Closed)}, "closed()");
    same({op(Opcode::MembersChat), B("ann"), B("members only")}, "membersChat(QString,QString)");
    same({op(Opcode::Replace), 4, B("Bot 2")}, "replace(int,QString)");
    same({op(Opcode::CardCount), 4, 3}, "cardCount(int,int)");
    same({op(Opcode::EndPlayer), 4}, "endPlayer(int)");
    same({op(Opcode::Queue), 8}, "queue(int)");
    same({op(Opcode::ContinentMap), 2, B("North"), 5}, "continentMap(int,QString,int)");
    same({op(Opcode::CountryMap), 9, B("Ice"), 2, 10, 20, 5, 15, 30, 40},
         "countryMap(int,QString,int,int,int,int,int,int,int)");
    same({op(Opcode::NeighbourMap), 9, 10}, "neighbourMap(int,int)");
    same({op(Opcode::LineMap), 1, 2, 3, 4}, "lineMap(int,int,int,int)");
    same({op(Opcode::EndMap)}, "endMap()");
    same({op(Opcode::Slot), 1, 4, 88, B("Isles"), B("ann")}, "slot(bool,int,int,QString,QString)");
    same({op(Opcode::RobotError), B("Bot"), B("no such robot")}, "robotError(QString,QString)");

    row("Latin-1 text", {op(Opcode::GlobalChat), B("J\xe9r\xf4me"), B("\xa9 \xff")},
        "globalChat(QString,QString)",
        {QStringLiteral("J\u00e9r\u00f4me"), QStringLiteral("\u00a9 \u00ff")});
    row("short message", {op(Opcode::Player)}, "player(int,bool,QString)", {0, false, S()});
    row("empty string field", {op(Opcode::Success), B("")}, "success(QString)",
        {QStringLiteral("")});
    row("block where a string belongs", {op(Opcode::Success), QVariant::fromValue(Block{"xyz"})},
        "success(QString)", {S()});
    row("non-zero bool other than one", {op(Opcode::Player), 0, -7, B("x")},
        "player(int,bool,QString)", {0, true, QStringLiteral("x")});
    row("surplus fields", {op(Opcode::More), 3, 4, B("x")}, "more(int)", {3});

    // Opcodes only the client sends, and numbers no opcode has.
    int count = 0;
    const Protocol::OpcodeFields* table = Protocol::opcodeTable(&count);
    QList<int> unknown{op(table[count - 1].opcode) + 1, 100, -1, -22};
    for (int i = 0; i < count; ++i) {
        if (!table[i].message)
            unknown << op(table[i].opcode);
    }
    for (int opcode : unknown)
        QTest::addRow("unknown %d", opcode)
            << QVariantList{opcode, 1} << QByteArray("unknownOpcode(int)") << QVariantList{opcode};
    row("opcode as a string", {B("22")}, "start()", {});
}

void TestParser::everyOpcode()
{
    QFETCH(QVariantList, fields);
    QFETCH(QByteArray, signature);
    QFETCH(QVariantList, expected);

    Parser parser;
    AllSignals all(parser);
    Message m = messageOf(fields);
    parser.parse(&m);

    QCOMPARE(all.emitted().size(), 1);
    const QSignalSpy* spy = all.emitted().first();
    QCOMPARE(spy->signal(), signature);
    const QList<QVariant>& args = spy->first();
    QCOMPARE(args.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(args.at(i).metaType(), expected.at(i).metaType());
        QCOMPARE(args.at(i), expected.at(i));
        if (expected.at(i).metaType() == QMetaType::fromType<QString>())
            QCOMPARE(args.at(i).toString().isNull(), expected.at(i).toString().isNull());
    }
}

void TestParser::emptyMessageEmitsNothing()
{
    Parser parser;
    AllSignals all(parser);
    Message m;
    parser.parse(&m);
    m.feed(reinterpret_cast<const unsigned char*>("\0\0\0\0"), 4);
    QVERIFY(m.isComplete());
    parser.parse(&m);
    parser.parse(nullptr);
    QVERIFY(all.emitted().isEmpty());
}

void TestParser::userFieldNineIsIgnored()
{
    Parser parser;
    QSignalSpy spy(&parser, &Parser::user);
    for (const QVariant& nine : {QVariant(0), QVariant(QByteArray("junk"))}) {
        Message m = messageOf(
            {op(Opcode::User), QByteArray("ann"), 1, 2, 3, 4, 0, QByteArray("s"), 0, nine, 9});
        parser.parse(&m);
    }
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0), spy.at(1));
    QCOMPARE(spy.at(0).last().toInt(), 9);
}

void TestParser::startMapBlock_data()
{
    QTest::addColumn<QVariantList>("fields");
    QTest::addColumn<QByteArray>("index");
    QTest::addColumn<bool>("isNull");

    const QVariantList head{op(Opcode::StartMap), 7, QByteArray("Isles"), QByteArray("Sea.png")};
    const QByteArray gz("\x1f\x8b\x08\x00\x00\x01\x02", 7);
    QTest::newRow("block") << head + QVariantList{QVariant::fromValue(Block{gz})} << gz << false;
    QTest::newRow("absent block") << head << QByteArray() << true;
    QTest::newRow("string instead of a block")
        << head + QVariantList{QByteArray("abc")} << QByteArray() << true;
}

void TestParser::startMapBlock()
{
    QFETCH(QVariantList, fields);
    QFETCH(QByteArray, index);
    QFETCH(bool, isNull);

    Parser parser;
    int calls = 0;
    connect(&parser, &Parser::startMap, this,
            [&](int mapId, const QString& mapName, const QString& pictureName, const char* data,
                int length) {
                ++calls;
                QCOMPARE(mapId, 7);
                QCOMPARE(mapName, QStringLiteral("Isles"));
                QCOMPARE(pictureName, QStringLiteral("Sea.png"));
                QCOMPARE(data == nullptr, isNull);
                QCOMPARE(length, int(index.size()));
                if (data)
                    QCOMPARE(QByteArray(data, length), index);
            });
    Message m = messageOf(fields);
    parser.parse(&m);
    QCOMPARE(calls, 1);
}

QTEST_GUILESS_MAIN(TestParser)
#include "tst_parser.moc"
