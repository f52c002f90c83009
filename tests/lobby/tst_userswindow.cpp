#include "gameitem.h"
#include "lobbymodel.h"
#include "maskswidget.h"
#include "useritem.h"
#include "usersdialog.h"
#include "userswidget.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// The games and users window as the main window drives it: records come and
// go, rows follow, gestures leave as signals, and nothing keeps pointing at
// a record or entry that is gone. The rules behind the buttons and masks are
// the lobby model's; the rows' sort keys and colours are the items' own.
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
    void masksPageSendsRequests();
    void rowsSortAndShowTheirRecords();

private:
    GameItem* addGame(int id, const QString& op, bool running, int players);
    const UserInfo* addUser(const char* nickname, int playing = 0, int watching = 0,
                            const char* host = "h");
    GameItem* row(int id) const;
    QTreeWidget* list(const char* name) const { return child<QTreeWidget>(name); }
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    template <typename T> T* child(const char* name) const
    {
        return m_dialog->usersWidget()->findChild<T*>(QLatin1String(name));
    }
    template <typename T> T* maskChild(const char* name) const
    {
        return m_dialog->masksWidget()->findChild<T*>(QLatin1String(name));
    }
    static QTreeWidgetItem* item(QTreeWidget* list, const char* text, int column = 0)
    {
        return list->findItems(QLatin1String(text), Qt::MatchExactly, column).value(0);
    }

    LobbyModel* m_model = nullptr;
    UsersDialog* m_dialog = nullptr;
};

GameItem* TestUsersWindow::addGame(int id, const QString& op, bool running, int players)
{
    GameRecord record;
    record.id = id;
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
    QCOMPARE(maskChild<QTreeWidget>("MaskList")->topLevelItemCount(), 0);
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
    list("UserList")->setCurrentItem(item(list("UserList"), "Guest"));
    QTest::mouseClick(button("KickButton"), Qt::LeftButton);
    QCOMPARE(kicks, QList<QVariantList>{{QStringLiteral("Guest")}});

    // The own record reaches the buttons too.
    m_dialog->updateUser(QStringLiteral("Me"), 1500, 0, 6, 0, false, QString(), false, 1);
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

    users->setCurrentItem(item(users, "Carl"));
    QCOMPARE(list("GameList")->currentItem(), row(3));
    QCOMPARE(players->topLevelItemCount(), 2);
    QCOMPARE(item(players, "Ann")->text(1), QStringLiteral("ann.example"));

    // Choosing a player chooses his user row, and the players list that
    // reported the choice is not rebuilt under it.
    players->setCurrentItem(item(players, "Ann"));
    QCOMPARE(users->currentItem()->text(0), QStringLiteral("Ann"));
    QCOMPARE(players->currentItem()->text(0), QStringLiteral("Ann"));
}

void TestUsersWindow::lonelyUserFillsPlayersAlone()
{
    addGame(3, QStringLiteral("Ann"), false, 1);
    addUser("Ann", 3);
    m_dialog->setMe(addUser("Dora"));
    QTreeWidget* players = list("PlayerList");
    list("GameList")->setCurrentItem(row(3));
    list("UserList")->setCurrentItem(item(list("UserList"), "Dora"));
    QCOMPARE(players->topLevelItemCount(), 1);
    QCOMPARE(players->topLevelItem(0)->text(0), QStringLiteral("Dora"));
    // The chosen game stays chosen, and so does Join.
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

// The page switch, the chosen user as the input, and the requests of the
// masks page's buttons in their order; whom a mask matches is the model's.
void TestUsersWindow::masksPageSendsRequests()
{
    auto* stack = m_dialog->findChild<QStackedWidget*>(QStringLiteral("Stack"));
    QTest::mouseClick(button("EditButton"), Qt::LeftButton);
    QCOMPARE(stack->currentWidget(), m_dialog->masksWidget());

    addUser("Ann", 0, 0, "ann.example.org");
    addUser("Bob", 0, 0, "10.0.0.2");
    auto* input = maskChild<QLineEdit>("InputBox");
    auto* users = maskChild<QTreeWidget>("UserList");
    auto* masks = maskChild<QTreeWidget>("MaskList");
    auto* remove = maskChild<QPushButton>("RemoveButton");
    QVERIFY(!remove->isEnabled());
    users->setCurrentItem(item(users, "Bob"));
    QCOMPARE(input->text(), QStringLiteral("Bob@10.0.0.2"));
    // Someone else logging off leaves the typed text alone.
    input->setText(QStringLiteral("*@10.0.0.*"));
    m_dialog->removeUser(QStringLiteral("Ann"));
    QCOMPARE(input->text(), QStringLiteral("*@10.0.0.*"));

    QSignalSpy additions(m_dialog, &UsersDialog::addMask);
    QSignalSpy removals(m_dialog, &UsersDialog::removeMask);
    QSignalSpy friends(m_dialog, &UsersDialog::isFriend);
    const auto type = [&](const char* text, const char* buttonName) {
        input->setText(QLatin1String(text));
        QTest::mouseClick(maskChild<QPushButton>(buttonName), Qt::LeftButton);
    };
    // Blank input is no mask.
    type("   ", "FriendButton");
    type("  Bob@*  ", "FriendButton");
    type("nobody@*", "EnemyButton");
    const auto pair = [](const char* first, const char* second) {
        return QVariantList{QString::fromLatin1(first), QString::fromLatin1(second)};
    };
    QCOMPARE(additions, (QList<QVariantList>{pair("Bob@*", "friend"), pair("nobody@*", "enemy")}));
    QCOMPARE(friends, (QList<QVariantList>{{QStringLiteral("Bob"), true}}));
    QVERIFY(input->text().isEmpty());
    QCOMPARE(masks->topLevelItemCount(), 2);

    for (const char* mask : {"nobody@*", "Bob@*"}) {
        masks->setCurrentItem(item(masks, mask, 1));
        remove->click();
    }
    QCOMPARE(removals, (QList<QVariantList>{pair("nobody@*", "enemy"), pair("Bob@*", "friend")}));
    QCOMPARE(friends.last(), (QVariantList{QStringLiteral("Bob"), false}));
    QVERIFY(!remove->isEnabled());

    QTest::mouseClick(maskChild<QPushButton>("UsersButton"), Qt::LeftButton);
    QCOMPARE(stack->currentWidget(), m_dialog->usersWidget());
}

// Waiting games first, then by operator without regard to case; the users
// column counts everyone in the game as a number, other columns sort as
// text. User lists sort as numbers except the nickname. A game row shows its
// record's texts; a user's colour: admin beats both masks.
void TestUsersWindow::rowsSortAndShowTheirRecords()
{
    const auto order = [](QTreeWidget& list, int column, Qt::SortOrder sort) {
        list.sortByColumn(column, sort);
        QStringList names;
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            names << list.topLevelItem(i)->text(0);
        return names.join(QLatin1Char(' '));
    };
    QTreeWidget games;
    games.setColumnCount(GameItem::ColumnCount);
    games.setSortingEnabled(true);
    std::vector<std::unique_ptr<GameRecord>> records;
    for (const auto& [op, running, users, minRating] : {std::tuple{"anna", true, 1, 900},
                                                        {"Zed", false, 10, 0},
                                                        {"bob", true, 2, 1200},
                                                        {"carl", false, 3, 950}}) {
        records.push_back(std::make_unique<GameRecord>());
        records.back()->options.timeout = 90;
        records.back()->options.minRating = minRating;
        records.back()->options.maxRating = minRating + 100;
        records.back()->update(QLatin1String(op), running, users, users, 0, 0);
        games.addTopLevelItem(new GameItem(records.back().get()));
    }
    QCOMPARE(order(games, GameItem::OperatorColumn, Qt::AscendingOrder),
             QStringLiteral("carl Zed anna bob"));
    QCOMPARE(order(games, GameItem::UsersColumn, Qt::DescendingOrder),
             QStringLiteral("Zed carl bob anna"));
    QCOMPARE(order(games, GameItem::RatingColumn, Qt::DescendingOrder),
             QStringLiteral("carl anna bob Zed"));
    const auto* game = static_cast<GameItem*>(games.topLevelItem(0));
    QCOMPARE(game->text(GameItem::TimeoutColumn), game->game()->timeoutText());
    QCOMPARE(game->data(GameItem::UsersColumn, GameItem::IconsRole).toStringList(),
             game->game()->seatIcons());
    QCOMPARE(game->data(GameItem::OptionsColumn, GameItem::IconsRole).toStringList(),
             game->game()->optionIcons());

    QTreeWidget users;
    UserItem::setUpList(&users);
    std::vector<std::unique_ptr<UserInfo>> infos;
    for (const auto& [nick, rating] : {std::pair{"bob", 1500}, {"Ann", 900}, {"carl", 10000}}) {
        infos.push_back(std::make_unique<UserInfo>(QLatin1String(nick), QStringLiteral("h")));
        infos.back()->rating = rating;
        users.addTopLevelItem(new UserItem(infos.back().get()));
    }
    QCOMPARE(order(users, UserItem::RatingColumn, Qt::AscendingOrder),
             QStringLiteral("Ann bob carl"));
    QCOMPARE(order(users, UserItem::NicknameColumn, Qt::DescendingOrder),
             QStringLiteral("carl bob Ann"));

    const QList<std::tuple<bool, bool, bool, QColor>> colours = {
        {false, false, false, QColor()},         {false, true, false, QColor(0, 128, 0)},
        {false, false, true, QColor(255, 0, 0)}, {false, true, true, QColor(255, 127, 0)},
        {true, true, true, QColor(0, 0, 128)},
    };
    UserInfo& user = *infos[0];
    for (const auto& [admin, isFriend, isEnemy, colour] : colours) {
        user.admin = admin;
        user.isFriend = isFriend;
        user.isEnemy = isEnemy;
        const QVariant foreground = UserItem(&user).data(0, Qt::ForegroundRole);
        QCOMPARE(foreground.isValid(), colour.isValid());
        if (colour.isValid())
            QCOMPARE(foreground.value<QBrush>().color(), colour);
    }
    games.clear();
    users.clear();
}

QTEST_MAIN(TestUsersWindow)
#include "tst_userswindow.moc"
