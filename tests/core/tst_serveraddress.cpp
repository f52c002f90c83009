#include "serveraddress.h"

#include <QTest>

class TestServerAddress : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
};

void TestServerAddress::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("host only") << "game.example.org" << true << "game.example.org" << 8822;
    QTest::newRow("host and port") << "10.0.0.7:9000" << true << "10.0.0.7" << 9000;
    QTest::newRow("blanks around") << "  localhost:1 " << true << "localhost" << 1;
    QTest::newRow("bracketed v6") << "[::1]:8000" << true << "::1" << 8000;
    QTest::newRow("bracketed v6 without port") << "[fe80::1]" << true << "fe80::1" << 8822;
    QTest::newRow("bare v6 is a host") << "::1" << true << "::1" << 8822;
    QTest::newRow("port zero") << "host:0" << false << QString() << 0;
    QTest::newRow("port too big") << "host:65536" << false << QString() << 0;
    QTest::newRow("port not a number") << "host:http" << false << QString() << 0;
    QTest::newRow("empty port") << "host:" << false << QString() << 0;
    QTest::newRow("empty host") << ":8822" << false << QString() << 0;
    QTest::newRow("unclosed bracket") << "[::1:80" << false << QString() << 0;
    QTest::newRow("junk after bracket") << "[::1]x" << false << QString() << 0;
}

void TestServerAddress::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, host);
    QFETCH(int, port);
    ServerAddress address{QStringLiteral("unchanged"), 1};
    QCOMPARE(ServerAddress::parse(text, 8822, &address), ok);
    if (ok) {
        QCOMPARE(address.host, host);
        QCOMPARE(int(address.port), port);
    } else {
        QCOMPARE(address.host, QStringLiteral("unchanged"));
    }
}

QTEST_MAIN(TestServerAddress)
#include "tst_serveraddress.moc"
