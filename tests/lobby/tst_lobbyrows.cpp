#include "gameitem.h"
#include "gamerecord.h"
#include "userinfo.h"
#include "useritem.h"

#include <QTest>
#include <QTreeWidget>

#include <memory>

// The rows of the lobby's lists: game cells, sort keys and user colours.
class TestLobbyRows : public QObject
{
    Q_OBJECT

private slots:
    void gameCells();
    void gameSortPutsWaitingFirst();
    void gameRatingSortsAsText();
    void userSortIsNumericExceptNickname();
    void userColours_data();
    void userColours();
};

void TestLobbyRows::gameCells()
{
    GameRecord record;
    record.options.timeout = 90;
    record.options.minRating = 1200;
    record.options.maxRating = 1600;
    record.options.minHumans = 3;
    record.mapText = GameRecord::mapTextFor(QStringLiteral("Isles"), QStringLiteral("Bob"));
    GameItem item(&record);
    // The texts themselves are the record's; the row shows each in its column.
    QCOMPARE(item.text(GameItem::TimeoutColumn), QStringLiteral("01:30"));
    QCOMPARE(item.text(GameItem::RatingColumn), QStringLiteral("1200 - 1600"));
    QCOMPARE(item.text(GameItem::MapColumn), QStringLiteral("Isles by Bob"));
    QVERIFY(item.text(GameItem::OperatorColumn).isEmpty());
    record.update(QStringLiteral("Ann"), false, 3, 4, 1, 1);
    item.refresh();
    QCOMPARE(item.text(GameItem::OperatorColumn), QStringLiteral("Ann"));
    QCOMPARE(item.data(GameItem::UsersColumn, GameItem::IconsRole).toStringList(),
             record.seatIcons());
    QCOMPARE(item.data(GameItem::OptionsColumn, GameItem::IconsRole).toStringList(),
             record.optionIcons());
}

void TestLobbyRows::gameSortPutsWaitingFirst()
{
    QTreeWidget list;
    list.setColumnCount(GameItem::ColumnCount);
    list.setSortingEnabled(true);
    const struct
    {
        const char* op;
        bool running;
    } games[] = {{"anna", true}, {"Zed", false}, {"bob", true}, {"carl", false}};
    std::vector<std::unique_ptr<GameRecord>> records;
    for (const auto& g : games) {
        records.push_back(std::make_unique<GameRecord>());
        records.back()->update(QLatin1String(g.op), g.running, 1, 1, 0, 0);
        list.addTopLevelItem(new GameItem(records.back().get()));
    }
    list.sortByColumn(GameItem::OperatorColumn, Qt::AscendingOrder);
    QStringList order;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        order << list.topLevelItem(i)->text(GameItem::OperatorColumn);
    QCOMPARE(order, (QStringList{QStringLiteral("carl"), QStringLiteral("Zed"),
                                 QStringLiteral("anna"), QStringLiteral("bob")}));

    // The users column counts everyone in the game, numerically.
    records.back()->update(QStringLiteral("carl"), false, 10, 1, 0, 0);
    list.sortByColumn(GameItem::UsersColumn, Qt::DescendingOrder);
    QCOMPARE(list.topLevelItem(0)->text(GameItem::OperatorColumn), QStringLiteral("carl"));
    list.clear();
}

void TestLobbyRows::gameRatingSortsAsText()
{
    QTreeWidget list;
    list.setColumnCount(GameItem::ColumnCount);
    list.setSortingEnabled(true);
    GameRecord low;
    low.options.minRating = 900;
    low.options.maxRating = 1000;
    GameRecord high;
    high.options.minRating = 1200;
    high.options.maxRating = 1500;
    list.addTopLevelItem(new GameItem(&low));
    list.addTopLevelItem(new GameItem(&high));
    list.sortByColumn(GameItem::RatingColumn, Qt::AscendingOrder);
    // "1200 - 1500" < "900 - 1000" as text.
    QCOMPARE(list.topLevelItem(0)->text(GameItem::RatingColumn), QStringLiteral("1200 - 1500"));
    list.clear();
}

void TestLobbyRows::userSortIsNumericExceptNickname()
{
    std::vector<std::unique_ptr<UserInfo>> users;
    QTreeWidget list;
    UserItem::setUpList(&list);
    const struct
    {
        const char* nick;
        int rating;
    } rows[] = {{"bob", 1500}, {"Ann", 900}, {"carl", 10000}};
    for (const auto& row : rows) {
        users.push_back(std::make_unique<UserInfo>(QLatin1String(row.nick), QStringLiteral("h")));
        users.back()->rating = row.rating;
        list.addTopLevelItem(new UserItem(users.back().get()));
    }
    list.sortByColumn(UserItem::RatingColumn, Qt::AscendingOrder);
    QCOMPARE(list.topLevelItem(0)->text(0), QStringLiteral("Ann"));
    QCOMPARE(list.topLevelItem(2)->text(0), QStringLiteral("carl"));
    list.sortByColumn(UserItem::NicknameColumn, Qt::AscendingOrder);
    QCOMPARE(list.topLevelItem(0)->text(0), QStringLiteral("Ann"));
    QCOMPARE(list.topLevelItem(1)->text(0), QStringLiteral("bob"));
    list.clear();
}

void TestLobbyRows::userColours_data()
{
    QTest::addColumn<bool>("admin");
    QTest::addColumn<bool>("isFriend");
    QTest::addColumn<bool>("isEnemy");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("plain") << false << false << false << QColor();
    QTest::newRow("friend") << false << true << false << QColor(0, 128, 0);
    QTest::newRow("enemy") << false << false << true << QColor(255, 0, 0);
    QTest::newRow("friend and enemy") << false << true << true << QColor(255, 127, 0);
    QTest::newRow("admin beats both") << true << true << true << QColor(0, 0, 128);
}

void TestLobbyRows::userColours()
{
    QFETCH(bool, admin);
    QFETCH(bool, isFriend);
    QFETCH(bool, isEnemy);
    QFETCH(QColor, colour);
    UserInfo user(QStringLiteral("x"), QStringLiteral("h"));
    user.admin = admin;
    user.isFriend = isFriend;
    user.isEnemy = isEnemy;
    QCOMPARE(UserItem::colourFor(user), colour);
    const UserItem row(&user);
    const QVariant foreground = row.data(0, Qt::ForegroundRole);
    QCOMPARE(foreground.isValid(), colour.isValid());
    if (colour.isValid())
        QCOMPARE(foreground.value<QBrush>().color(), colour);
}

QTEST_MAIN(TestLobbyRows)
#include "tst_lobbyrows.moc"
