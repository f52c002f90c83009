#include "message.h"

#include <QTest>

// Framing of one message on the wire and its assembly from received chunks.
class TestMessage : public QObject
{
    Q_OBJECT

private slots:
    void examplesOnTheWire();
};

void TestMessage::examplesOnTheWire()
{
    Message keepAlive;
    keepAlive.addInt(40);
    QCOMPARE(keepAlive.data(), QByteArray::fromHex("000000010000000028"));

    Message chat;
    chat.addInt(11);
    chat.addString("hi");
    QCOMPARE(chat.data(), QByteArray::fromHex("00000002000000000b010000000368690" "0"));
}

QTEST_GUILESS_MAIN(TestMessage)
#include "tst_message.moc"
