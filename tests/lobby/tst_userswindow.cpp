#include "gameitem.h"
#include "lobbymodel.h"
#include "maskswidget.h"
#include "useritem.h"
#include "usersdialog.h"
#include "userswidget.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// The games and users window as the main window drives it: records come and
// go, rows follow, the buttons obey their rules, and nothing keeps pointing
// at a record or entry that is gone.
class TestUsersWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void removingGameAndClearEmptyTheRows();
    void buttonsFollowTheModelAndEmit();
    void choosingUserChoosesHisGame();
    void lonelyUserFillsPlayersAlone();
    void switchDisplayFlips();

    void maskInput();
    void masksButtonsSendRequests();

    // The rows of the lists on their own: game cells, sort keys and user
    // colours.
    void gameCells();
    void gameSortPutsWaitingFirst();
    void userSortIsNumericExceptNickname();
    void userColours();

private:
    GameItem* addGame(int id, const QString& op, bool running, int players);
    const UserInfo* addUser(const char* nickname, int playing = 0, int watching = 0,
                            const char* host = "h");
    GameItem* row(int id) const;
    QTreeWidget* list(const char* name) const;
    QPushButton* button(const char* name) const;
    MasksWidget* masks() const { return m_dialog->masksWidget(); }
    QTreeWidget* maskList() const
    {
        return masks()->findChild<QTreeWidget*>(QStringLiteral("MaskList"));
    }
    // Types into the masks page's input and clicks the button.
    void typeMask(const QString& text, const char* buttonName);
    // Ann of ann.example.org and Bob of 10.0.0.2.
    void addMaskUsers();

    LobbyModel* m_model = nullptr;
    UsersDialog* m_dialog = nullptr;
};

GameItem* TestUsersWindow::addGame(int id, const QString& op, bool running, int players)
{
    GameRecord record;
    record.id = id;
    record.mapText = GameRecord::mapTextFor(QStringLiteral("Map"), QStringLiteral("Author"));
    m_dialog->addGame(record);
    m_model->updateGame(id, op, running, players, players, 0, 0);
    return row(id);
}

const UserInfo* TestUsersWindow::addUser(const char* nickname, int playing, int watching,
                                         const char* host)
{
    const UserInfo* user = m_dialog->addUser(QLatin1String(nickname), QLatin1String(host));
    m_dialog->updateUser(user->nickname, 1500, 0, playing, watching, false, QString(), false, 1);
    return user;
}

GameItem* TestUsersWindow::row(int id) const
{
    QTreeWidget* games = list("GameList");
    for (int i = 0; i < games->topLevelItemCount(); ++i) {
        auto* item = static_cast<GameItem*>(games->topLevelItem(i));
        if (item->game()->id == id)
            return item;
    }
    return nullptr;
}

QTreeWidget* TestUsersWindow::list(const char* name) const
{
    return m_dialog->usersWidget()->findChild<QTreeWidget*>(QLatin1String(name));
}

QPushButton* TestUsersWindow::button(const char* name) const
{
    return m_dialog->usersWidget()->findChild<QPushButton*>(QLatin1String(name));
}

void TestUsersWindow::init()
{
    m_model = new LobbyModel;
    m_dialog = new UsersDialog(m_model);
}

void TestUsersWindow::cleanup()
{
    delete m_dialog;
    m_dialog = nullptr;
    delete m_model;
    m_model = nullptr;
}

void TestUsersWindow::removingGameAndClearEmptyTheRows()
{
    addGame(7, QStringLiteral("Ann"), false, 2);
    m_dialog->setMe(addUser("Ann", 7));
    addUser("Bob", 0, 7);
    list("GameList")->setCurrentItem(row(7));
    QCOMPARE(list("PlayerList")->topLevelItemCount(), 2);
    // The model's tests hold what becomes of the records; here, the rows.
    m_dialog->removeGame(7);
    QCOMPARE(list("GameList")->topLevelItemCount(), 0);
    QCOMPARE(list("PlayerList")->topLevelItemCount(), 0);
    QVERIFY(button("NewButton")->isEnabled());
    m_dialog->removeGame(7);

    addGame(1, QStringLiteral("Ann"), false, 1);
    m_dialog->insertMask(QStringLiteral("*"), QStringLiteral("friend"));
    list("UserList")->setCurrentItem(list("UserList")->topLevelItem(0));
    m_dialog->clear();
    for (const char* name : {"GameList", "UserList", "PlayerList"})
        QCOMPARE(list(name)->topLevelItemCount(), 0);
    QCOMPARE(maskList()->topLevelItemCount(), 0);
    QCOMPARE(list("LegendList")->topLevelItemCount(), 21);
    QVERIFY(!button("NewButton")->isEnabled());
}

void TestUsersWindow::buttonsFollowTheModelAndEmit()
{
    addGame(5, QStringLiteral("Me"), false, 2);
    addGame(6, QStringLiteral("Zed"), true, 1);
    m_dialog->setMe(addUser("Me"));
    addUser("Guest", 5);
    QSignalSpy joins(m_dialog, &UsersDialog::join);
    QSignalSpy watches(m_dialog, &UsersDialog::watch);
    QSignalSpy newGames(m_dialog, &UsersDialog::newGame);
    QSignalSpy kicks(m_dialog, &UsersDialog::kick);
    list("GameList")->setCurrentItem(row(5));
    for (const char* name : {"JoinButton", "WatchButton", "NewButton"})
        QTest::mouseClick(button(name), Qt::LeftButton);
    QCOMPARE(joins, QList<QVariantList>{{5}});
    QCOMPARE(watches, QList<QVariantList>{{5}});
    QCOMPARE(newGames.count(), 1);

    // A game's status reaches the buttons.
    m_model->updateGame(5, QStringLiteral("Me"), false, 6, 6, 0, 0);
    QVERIFY(!button("JoinButton")->isEnabled());

    // The operator may kick a player of his game.
    m_dialog->updateUser(QStringLiteral("Me"), 1500, 0, 5, 0, false, QString(), false, 1);
    QTreeWidget* users = list("UserList");
    users->setCurrentItem(users->findItems(QStringLiteral("Guest"), Qt::MatchExactly).first());
    QTest::mouseClick(button("KickButton"), Qt::LeftButton);
    QCOMPARE(kicks, QList<QVariantList>{{QStringLiteral("Guest")}});

    // Seated in a running game, the own record changes no cell of its row,
    // but the buttons follow.
    QSignalSpy redraws(list("UserList")->model(), &QAbstractItemModel::dataChanged);
    m_dialog->updateUser(QStringLiteral("Me"), 1500, 0, 6, 0, false, QString(), false, 1);
    QCOMPARE(redraws.count(), 0);
    QVERIFY(!button("NewButton")->isEnabled());
}

void TestUsersWindow::choosingUserChoosesHisGame()
{
    addGame(3, QStringLiteral("Ann"), false, 2);
    addGame(4, QStringLiteral("Bob"), false, 1);
    addUser("Ann", 3, 0, "ann.example");
    addUser("Carl", 0, 3);
    addUser("Bob", 4);
    QTreeWidget* users = list("UserList");
    QTreeWidget* players = list("PlayerList");

    users->setCurrentItem(users->findItems(QStringLiteral("Carl"), Qt::MatchExactly).first());
    QCOMPARE(list("GameList")->currentItem(), row(3));
    QCOMPARE(players->topLevelItemCount(), 2);
    QCOMPARE(players->findItems(QStringLiteral("Ann"), Qt::MatchExactly).first()->text(1),
             QStringLiteral("ann.example"));

    // Choosing a player chooses his user row.
    players->setCurrentItem(players->findItems(QStringLiteral("Ann"), Qt::MatchExactly).first());
    QCOMPARE(users->currentItem()->text(0), QStringLiteral("Ann"));
}

void TestUsersWindow::lonelyUserFillsPlayersAlone()
{
    addGame(3, QStringLiteral("Ann"), false, 1);
    addUser("Ann", 3);
    m_dialog->setMe(addUser("Dora"));
    QTreeWidget* users = list("UserList");
    QTreeWidget* players = list("PlayerList");
    list("GameList")->setCurrentItem(row(3));
    QVERIFY(button("JoinButton")->isEnabled());
    users->setCurrentItem(users->findItems(QStringLiteral("Dora"), Qt::MatchExactly).first());
    QCOMPARE(players->topLevelItemCount(), 1);
    QCOMPARE(players->topLevelItem(0)->text(0), QStringLiteral("Dora"));
    // The chosen game stays chosen, and so do Join and Watch.
    QCOMPARE(list("GameList")->currentItem(), row(3));
    QVERIFY(button("JoinButton")->isEnabled());
    // Neither choosing her own row in the players list nor an update of a
    // record brings the game's players back.
    players->setCurrentItem(players->topLevelItem(0));
    m_dialog->updateUser(QStringLiteral("Ann"), 1600, 1, 3, 0, false, QString(), false, 1);
    QCOMPARE(players->topLevelItemCount(), 1);
    QCOMPARE(players->topLevelItem(0)->text(0), QStringLiteral("Dora"));

    // Once she has gone, the chosen game's players are shown again.
    m_dialog->removeUser(QStringLiteral("Dora"));
    QCOMPARE(players->topLevelItemCount(), 1);
    QCOMPARE(players->topLevelItem(0)->text(0), QStringLiteral("Ann"));
}

void TestUsersWindow::switchDisplayFlips()
{
    auto* stack = m_dialog->findChild<QStackedWidget*>(QStringLiteral("Stack"));
    QCOMPARE(stack->currentWidget(), m_dialog->usersWidget());
    QTest::mouseClick(button("EditButton"), Qt::LeftButton);
    QCOMPARE(stack->currentWidget(), m_dialog->masksWidget());
    QTest::mouseClick(
        m_dialog->masksWidget()->findChild<QPushButton*>(QStringLiteral("UsersButton")),
        Qt::LeftButton);
    QCOMPARE(stack->currentWidget(), m_dialog->usersWidget());
}

// The masks page: the requests and signals of its buttons in their order and
// the rows it shows; the matching itself is the lobby model's.
void TestUsersWindow::addMaskUsers()
{
    addUser("Ann", 0, 0, "ann.example.org");
    addUser("Bob", 0, 0, "10.0.0.2");
}

void TestUsersWindow::typeMask(const QString& text, const char* buttonName)
{
    masks()->findChild<QLineEdit*>(QStringLiteral("InputBox"))->setText(text);
    QTest::mouseClick(masks()->findChild<QPushButton*>(QLatin1String(buttonName)), Qt::LeftButton);
}

void TestUsersWindow::maskInput()
{
    addMaskUsers();
    auto* input = masks()->findChild<QLineEdit*>(QStringLiteral("InputBox"));
    auto* users = masks()->findChild<QTreeWidget*>(QStringLiteral("UserList"));
    users->setCurrentItem(users->findItems(QStringLiteral("Bob"), Qt::MatchExactly).first());
    QCOMPARE(input->text(), QStringLiteral("Bob@10.0.0.2"));
    // Someone else logging off leaves the typed text alone.
    input->setText(QStringLiteral("*@10.0.0.*"));
    m_dialog->removeUser(QStringLiteral("Ann"));
    QCOMPARE(input->text(), QStringLiteral("*@10.0.0.*"));

    // The nickname alone leaves Bob alone, as the hint under the field says,
    // and the example the hint gives is a mask that works.
    typeMask(QStringLiteral("bob"), "FriendButton");
    QVERIFY(!m_dialog->findUser(QStringLiteral("Bob"))->isFriend);
    const QString hint = masks()->findChild<QLabel*>(QStringLiteral("InputHint"))->text();
    const qsizetype open = hint.indexOf(QLatin1Char('"'));
    const qsizetype close = hint.indexOf(QLatin1Char('"'), open + 1);
    QVERIFY(open >= 0 && close > open + 1);
    typeMask(hint.mid(open + 1, close - open - 1), "FriendButton");
    QVERIFY(m_dialog->findUser(QStringLiteral("Bob"))->isFriend);
}

void TestUsersWindow::masksButtonsSendRequests()
{
    addMaskUsers();
    auto* remove = masks()->findChild<QPushButton*>(QStringLiteral("RemoveButton"));
    QVERIFY(!remove->isEnabled());
    QSignalSpy additions(m_dialog, &UsersDialog::addMask);
    QSignalSpy removals(m_dialog, &UsersDialog::removeMask);
    QSignalSpy friends(m_dialog, &UsersDialog::isFriend);
    const auto pair = [](const char* first, const char* second) {
        return QVariantList{QString::fromLatin1(first), QString::fromLatin1(second)};
    };
    // Blank input is no mask.
    typeMask(QStringLiteral("   "), "FriendButton");
    QCOMPARE(additions.count(), 0);

    typeMask(QStringLiteral("  Bob@*  "), "FriendButton");
    QCOMPARE(friends, (QList<QVariantList>{{QStringLiteral("Bob"), true}}));
    QVERIFY(masks()->findChild<QLineEdit*>(QStringLiteral("InputBox"))->text().isEmpty());
    // A mask that differs only in case: the server still hears of it, the
    // list does not grow.
    typeMask(QStringLiteral("nobody@*"), "EnemyButton");
    typeMask(QStringLiteral("NOBODY@*"), "EnemyButton");
    QCOMPARE(additions, (QList<QVariantList>{pair("Bob@*", "friend"), pair("nobody@*", "enemy"),
                                             pair("NOBODY@*", "enemy")}));
    QCOMPARE(maskList()->topLevelItemCount(), 2);

    // The model's tests hold whom a removal reclassifies; a mask that matched
    // nobody is still reported to the server.
    for (const char* mask : {"nobody@*", "Bob@*"}) {
        maskList()->setCurrentItem(
            maskList()->findItems(QString::fromLatin1(mask), Qt::MatchExactly, 1).first());
        QVERIFY(remove->isEnabled());
        remove->click();
    }
    QCOMPARE(removals, (QList<QVariantList>{pair("nobody@*", "enemy"), pair("Bob@*", "friend")}));
    QCOMPARE(friends.last(), (QVariantList{QStringLiteral("Bob"), false}));
    QCOMPARE(maskList()->topLevelItemCount(), 0);
    QVERIFY(!remove->isEnabled());
}

void TestUsersWindow::gameCells()
{
    // The texts themselves are the record's; the row shows each in its column
    // and follows the record on refresh.
    GameRecord record;
    record.options.timeout = 90;
    GameItem item(&record);
    record.update(QStringLiteral("Ann"), false, 3, 4, 1, 1);
    QVERIFY(item.text(GameItem::OperatorColumn).isEmpty());
    item.refresh();
    QCOMPARE(item.text(GameItem::OperatorColumn), QStringLiteral("Ann"));
    QCOMPARE(item.text(GameItem::TimeoutColumn), record.timeoutText());
    QCOMPARE(item.data(GameItem::UsersColumn, GameItem::IconsRole).toStringList(),
             record.seatIcons());
    QCOMPARE(item.data(GameItem::OptionsColumn, GameItem::IconsRole).toStringList(),
             record.optionIcons());
}

void TestUsersWindow::gameSortPutsWaitingFirst()
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
    // Other columns sort as text: "900 - 1000" after "1200 - 1500".
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

void TestUsersWindow::userSortIsNumericExceptNickname()
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

void TestUsersWindow::userColours()
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

QTEST_MAIN(TestUsersWindow)
#include "tst_userswindow.moc"
