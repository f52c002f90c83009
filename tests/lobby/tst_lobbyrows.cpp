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
    void userSortIsNumericExceptNickname();
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

    // The users column counts everyone in the game, numerically; the rating
    // range sorts as text, "1200 - 1500" before "900 - 1000".
    records.back()->update(QStringLiteral("carl"), false, 10, 1, 0, 0);
    list.sortByColumn(GameItem::UsersColumn, Qt::DescendingOrder);
    QCOMPARE(list.topLevelItem(0)->text(GameItem::OperatorColumn), QStringLiteral("carl"));
    records[0]->options.minRating = 900;
    records[0]->options.maxRating = 1000;
    records[2]->options.minRating = 1200;
    records[2]->options.maxRating = 1500;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        static_cast<GameItem*>(list.topLevelItem(i))->refresh();
    list.sortByColumn(GameItem::RatingColumn, Qt::DescendingOrder);
    QCOMPARE(list.topLevelItem(0)->text(GameItem::RatingColumn), QStringLiteral("900 - 1000"));
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

void TestLobbyRows::userColours()
{
    // Admin, friend, enemy and the colour; admin beats both masks.
    const QList<std::tuple<bool, bool, bool, QColor>> rows = {
        {false, false, false, QColor()},         {false, true, false, QColor(0, 128, 0)},
        {false, false, true, QColor(255, 0, 0)}, {false, true, true, QColor(255, 127, 0)},
        {true, true, true, QColor(0, 0, 128)},
    };
    for (const auto& [admin, isFriend, isEnemy, colour] : rows) {
        UserInfo user(QStringLiteral("x"), QStringLiteral("h"));
        user.admin = admin;
        user.isFriend = isFriend;
        user.isEnemy = isEnemy;
        const QVariant foreground = UserItem(&user).data(0, Qt::ForegroundRole);
        QCOMPARE(foreground.isValid(), colour.isValid());
        if (colour.isValid())
            QCOMPARE(foreground.value<QBrush>().color(), colour);
    }
}

QTEST_MAIN(TestLobbyRows)
#include "tst_lobbyrows.moc"
