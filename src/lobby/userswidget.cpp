#include "userswidget.h"

#include "gameitem.h"
#include "iconlegend.h"
#include "legendlist.h"
#include "listwidth.h"
#include "lobbydelegate.h"
#include "lobbymodel.h"
#include "pictures.h"
#include "useritem.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <algorithm>

namespace {

// The games the list shows at least, however short the window.
constexpr int GamesShown = 8;

// The games the list shows at least on a narrow screen, where the legend
// shares the height below them with the users and the players.
constexpr int GamesShownNarrow = 6;
// The narrowest the players list lets the hostnames be, in characters, and
// the longest nickname the server allows.
constexpr int HostnameChars = 12;
constexpr int HostnameWidth = 200;
constexpr int NicknameChars = 16;
// A row's picture before its text, with the margins round both.
constexpr int PictureRoom = 28;

template <typename List = QTreeWidget> List* makeList(QWidget* parent, const char* name)
{
    auto* list = new List(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->setItemDelegate(new LobbyDelegate(list));
    return list;
}

// Gives each column its designed width, widened where the title or the
// longest text the column can show would not fit.
void setWidths(QTreeWidget* list, std::initializer_list<int> widths,
               std::initializer_list<const char*> samples = {})
{
    QHeaderView* header = list->header();
    const QFontMetrics metrics(list->font());
    const auto* sample = samples.begin();
    int column = 0;
    for (int width : widths) {
        width = std::max(width, header->sectionSizeHint(column));
        if (sample != samples.end()) {
            if (*sample)
                width = std::max(width, metrics.horizontalAdvance(QLatin1String(*sample)) + 12);
            ++sample;
        }
        header->resizeSection(column++, width);
    }
}

} // namespace

UsersWidget::UsersWidget(LobbyModel* model, QWidget* parent) : QWidget(parent), m_model(model)
{
    m_gamesLabel = new QLabel(tr("Games"), this);
    m_gamesLabel->setObjectName(QStringLiteral("GamesLabel"));
    m_usersLabel = new QLabel(tr("Users"), this);
    m_usersLabel->setObjectName(QStringLiteral("UsersLabel"));
    m_playersLabel = new QLabel(tr("Players"), this);
    m_playersLabel->setObjectName(QStringLiteral("PlayersLabel"));
    m_legendLabel = new QLabel(tr("Icon Legend"), this);
    m_legendLabel->setObjectName(QStringLiteral("LegendLabel"));

    m_gameList = makeList(this, "GameList");
    m_gameList->setColumnCount(GameItem::ColumnCount);
    m_gameList->setHeaderLabels(
        {tr("Operator"), tr("Users"), tr("H"), tr("T"), tr("Rating"), tr("Map"), tr("Options")});
    setWidths(m_gameList, {90, 120, 20, 30, 62, 100, 140},
              {nullptr, nullptr, "0", "00:00", "0000 - 0000", "North America by Tarvenix"});
    // The short titles keep the columns narrow; the tooltips say what they count.
    m_gameList->headerItem()->setToolTip(GameItem::HumansColumn,
                                         tr("The least number of human players the game needs"));
    m_gameList->headerItem()->setToolTip(GameItem::TimeoutColumn,
                                         tr("Time for a turn, in minutes and seconds"));
    // The seats and the map's name take the room their longest row needs.
    for (int column : {int(GameItem::UsersColumn), int(GameItem::MapColumn)})
        m_gameList->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_gameList->setSortingEnabled(true);
    m_gameList->sortByColumn(GameItem::OperatorColumn, Qt::AscendingOrder);
    // The games come first: their list never scrolls sideways, and on a
    // narrow screen the other lists move under it.
    keepColumnsInView(m_gameList);

    m_userList = makeList(this, "UserList");
    UserItem::setUpList(m_userList);

    m_playerList = makeList(this, "PlayerList");
    m_playerList->setColumnCount(5);
    m_playerList->setHeaderLabels(
        {tr("Nickname"), tr("Hostname"), tr("Rating"), tr("Level"), tr("Games")});
    setWidths(m_playerList, {90, HostnameWidth, 38, 40, 43});
    // On a narrow screen the hostnames take the room the other columns leave
    // and are cut short rather than scroll sideways, the rows' tooltips
    // giving them whole.
    QHeaderView* playerHeader = m_playerList->header();
    // Room for a nickname as long as the rules allow, after its picture.
    const int characters = m_playerList->fontMetrics().averageCharWidth();
    const int nickname = std::max(playerHeader->sectionSize(PlayerNickname),
                                  characters * NicknameChars + PictureRoom);
    m_playerList->setMinimumWidth(
        nickname + characters * HostnameChars + playerHeader->sectionSize(PlayerRating) +
        playerHeader->sectionSize(PlayerLevel) + playerHeader->sectionSize(PlayerGames) +
        m_playerList->verticalScrollBar()->sizeHint().width() + 2 * m_playerList->frameWidth());
    m_playerList->setSortingEnabled(true);
    m_playerList->sortByColumn(PlayerNickname, Qt::AscendingOrder);

    m_legendList = makeList<LegendList>(this, "LegendList");
    m_legendList->setColumnCount(1);
    m_legendList->setHeaderLabels({tr("Icon")});
    m_legendList->setMinimumSize(180, 100);
    // All rows and whole texts where the window has the room; where it has
    // not, the games keep theirs and the legend scrolls, its tooltips giving
    // what a narrow legend cuts.
    m_legendList->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    fillLegend();

    m_buttons = new QWidget(this);
    m_joinButton = new QPushButton(tr("Join"), m_buttons);
    m_joinButton->setObjectName(QStringLiteral("JoinButton"));
    m_watchButton = new QPushButton(tr("Watch"), m_buttons);
    m_watchButton->setObjectName(QStringLiteral("WatchButton"));
    m_kickButton = new QPushButton(tr("Kick"), m_buttons);
    m_kickButton->setObjectName(QStringLiteral("KickButton"));
    m_newButton = new QPushButton(tr("New..."), m_buttons);
    m_newButton->setObjectName(QStringLiteral("NewButton"));
    // The quickest way into a game: one the player opens against robots.
    m_robotsButton = new QPushButton(tr("Play against robots"), m_buttons);
    m_robotsButton->setObjectName(QStringLiteral("PlayRobotsButton"));
    m_robotsButton->setToolTip(tr("Opens a game on the map chosen last in the New game dialog, "
                                  "seats robots of the level chosen there and starts it"));
    m_editButton = new QPushButton(tr("Edit"), m_buttons);
    m_editButton->setObjectName(QStringLiteral("EditButton"));
    m_joinButton->setEnabled(false);
    m_watchButton->setEnabled(false);
    m_kickButton->setEnabled(false);
    m_newButton->setEnabled(false);
    m_robotsButton->setEnabled(false);

    m_buttonsLayout = new QHBoxLayout(m_buttons);
    m_buttonsLayout->setObjectName(QStringLiteral("ButtonsLayout"));
    m_buttonsLayout->setContentsMargins(0, 0, 0, 0);
    m_buttonsLayout->setSpacing(5);
    m_buttonsLayout->addWidget(m_joinButton);
    m_buttonsLayout->addWidget(m_watchButton);
    m_buttonsLayout->addWidget(m_kickButton);
    m_buttonsLayout->addWidget(m_newButton);
    m_buttonsLayout->addWidget(m_robotsButton);
    m_buttonsLayout->addWidget(m_editButton, 1, Qt::AlignRight);

    m_mainLayout = new QGridLayout(this);
    m_mainLayout->setObjectName(QStringLiteral("MainLayout"));
    m_mainLayout->setContentsMargins(2, 2, 2, 2);
    m_mainLayout->setSpacing(5);
    arrange(false);

    connect(m_joinButton, &QPushButton::clicked, this, &UsersWidget::joinButtonClicked);
    connect(m_watchButton, &QPushButton::clicked, this, &UsersWidget::watchButtonClicked);
    connect(m_kickButton, &QPushButton::clicked, this, &UsersWidget::kickButtonClicked);
    connect(m_newButton, &QPushButton::clicked, this, &UsersWidget::newGame);
    connect(m_robotsButton, &QPushButton::clicked, this, &UsersWidget::playAgainstRobots);
    connect(m_editButton, &QPushButton::clicked, this, &UsersWidget::edit);
    connect(m_userList, &QTreeWidget::currentItemChanged, this, &UsersWidget::userSelectionChanged);
    connect(m_gameList, &QTreeWidget::currentItemChanged, this, &UsersWidget::gameSelectionChanged);
    connect(m_playerList, &QTreeWidget::currentItemChanged, this,
            &UsersWidget::playerSelectionChanged);

    connect(m_model, &LobbyModel::gameAdded, this, &UsersWidget::addGame);
    connect(m_model, &LobbyModel::gameChanged, this, &UsersWidget::refreshGame);
    connect(m_model, &LobbyModel::gameRemoved, this, &UsersWidget::removeGame);
    connect(m_model, &LobbyModel::userAdded, this, &UsersWidget::addUser);
    connect(m_model, &LobbyModel::userChanged, this, &UsersWidget::refreshUser);
    connect(m_model, &LobbyModel::userRemoved, this, &UsersWidget::removeUser);
    connect(m_model, &LobbyModel::cleared, this, &UsersWidget::clear);
    connect(m_model, &LobbyModel::buttonsChanged, this, &UsersWidget::updateButtons);
    for (const GameRecord* game : m_model->games())
        addGame(game);
    for (const UserInfo* user : m_model->users())
        addUser(user);
    updateButtons();
}

QSize UsersWidget::minimumSizeHint() const
{
    // Side by side the lists would ask for more than a narrow screen has;
    // short of that width they are arranged anew instead.
    QSize size = QWidget::minimumSizeHint();
    if (!m_narrow)
        size.setWidth(std::min(size.width(), sideBySideWidth()));
    return size;
}

int UsersWidget::sideBySideWidth() const
{
    const QMargins margins = m_mainLayout->contentsMargins();
    const int right = std::max(m_legendList->minimumWidth(), m_userList->minimumWidth());
    return margins.left() + m_gameList->minimumWidth() + m_mainLayout->horizontalSpacing() + right +
           margins.right();
}

void UsersWidget::arrange(bool narrow)
{
    m_narrow = narrow;
    const std::initializer_list<QWidget*> widgets = {m_gamesLabel,  m_usersLabel, m_playersLabel,
                                                     m_legendLabel, m_gameList,   m_userList,
                                                     m_playerList,  m_legendList, m_buttons};
    for (QWidget* widget : widgets)
        m_mainLayout->removeWidget(widget);
    if (narrow) {
        m_mainLayout->addWidget(m_gamesLabel, 0, 0, 1, 2);
        m_mainLayout->addWidget(m_gameList, 1, 0, 1, 2);
        m_mainLayout->addWidget(m_usersLabel, 2, 0);
        m_mainLayout->addWidget(m_legendLabel, 2, 1);
        m_mainLayout->addWidget(m_userList, 3, 0);
        m_mainLayout->addWidget(m_playersLabel, 4, 0);
        m_mainLayout->addWidget(m_playerList, 5, 0);
        m_mainLayout->addWidget(m_legendList, 3, 1, 3, 1);
        m_mainLayout->addWidget(m_buttons, 6, 0, 1, 2);
    } else {
        m_mainLayout->addWidget(m_gamesLabel, 0, 0);
        m_mainLayout->addWidget(m_usersLabel, 0, 1);
        m_mainLayout->addWidget(m_gameList, 1, 0);
        m_mainLayout->addWidget(m_userList, 1, 1);
        m_mainLayout->addWidget(m_playersLabel, 2, 0);
        m_mainLayout->addWidget(m_legendLabel, 2, 1);
        m_mainLayout->addWidget(m_playerList, 3, 0);
        m_mainLayout->addWidget(m_legendList, 3, 1);
        m_mainLayout->addWidget(m_buttons, 4, 0, 1, 2);
    }
    // Beside the games the legend takes its longest text's width; under
    // them, on a narrow screen, it shares the height below the games with
    // the users and the players, its rows flowing into two columns that cut
    // their texts short to the room rather than scroll, the rows' tooltips
    // giving them whole.
    QHeaderView* legendHeader = m_legendList->header();
    legendHeader->setStretchLastSection(!narrow);
    legendHeader->setSectionResizeMode(0, narrow ? QHeaderView::Stretch : QHeaderView::Interactive);
    if (!narrow)
        m_legendList->resizeColumnToContents(0);
    QHeaderView* playerHeader = m_playerList->header();
    playerHeader->setStretchLastSection(!narrow);
    playerHeader->setSectionResizeMode(PlayerHostname,
                                       narrow ? QHeaderView::Stretch : QHeaderView::Interactive);
    if (!narrow)
        playerHeader->resizeSection(PlayerHostname, HostnameWidth);
    m_legendList->setMinimumHeight(narrow ? m_legendList->heightFor(2) : 100);
    const int row = m_gameList->fontMetrics().height() + 6;
    m_gameList->setMinimumHeight(m_gameList->header()->sizeHint().height() +
                                 (narrow ? GamesShownNarrow : GamesShown) * row +
                                 2 * m_gameList->frameWidth());
    m_mainLayout->setColumnStretch(0, narrow ? 0 : 1);
    m_mainLayout->setColumnStretch(1, narrow ? 1 : 0);
    m_mainLayout->setRowStretch(1, 1);
    m_mainLayout->setRowStretch(3, narrow ? 1 : 0);
    m_mainLayout->setRowStretch(5, narrow ? 1 : 0);
}

void UsersWidget::arrangeForWidth()
{
    const bool narrow = width() < sideBySideWidth();
    if (narrow != m_narrow)
        arrange(narrow);
}

bool UsersWidget::event(QEvent* event)
{
    // A resize, or a list whose columns grew, may leave the lists too wide
    // to sit side by side.
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)
        arrangeForWidth();
    return QWidget::event(event);
}

void UsersWidget::fillLegend()
{
    for (const IconLegend::Row& row : IconLegend::rows()) {
        auto* item = new QTreeWidgetItem(m_legendList);
        item->setIcon(0, Pictures::pixmap(QLatin1String(row.file)));
        item->setText(0, tr(row.text));
        item->setToolTip(0, tr(row.text));
    }
}

void UsersWidget::addGame(const GameRecord* game)
{
    auto* row = new GameItem(game);
    m_gameList->addTopLevelItem(row);
    m_gameRows.insert(game->id, row);
}

void UsersWidget::refreshGame(const GameRecord* game)
{
    if (GameItem* row = m_gameRows.value(game->id))
        row->refresh();
}

void UsersWidget::removeGame(const GameRecord* game)
{
    // The choice moves on by itself; the model has the buttons and players
    // brought up to date once the game is gone.
    const QSignalBlocker blocker(m_gameList);
    delete m_gameRows.take(game->id);
}

void UsersWidget::addUser(const UserInfo* user)
{
    auto* row = new UserItem(user);
    m_userList->addTopLevelItem(row);
    m_userRows.insert(user->nickname, row);
}

void UsersWidget::refreshUser(const UserInfo* user)
{
    if (UserItem* row = m_userRows.value(user->nickname))
        row->refresh();
}

void UsersWidget::removeUser(const UserInfo* user)
{
    const QSignalBlocker blocker(m_userList);
    delete m_userRows.take(user->nickname);
}

void UsersWidget::clear()
{
    m_loneUser.clear();
    m_userRows.clear();
    m_gameRows.clear();
    const QSignalBlocker players(m_playerList);
    const QSignalBlocker users(m_userList);
    const QSignalBlocker games(m_gameList);
    m_playerList->clear();
    m_userList->clear();
    m_gameList->clear();
}

GameItem* UsersWidget::currentGame() const
{
    return static_cast<GameItem*>(m_gameList->currentItem());
}

const GameRecord* UsersWidget::chosenGame() const
{
    const GameItem* row = currentGame();
    return row ? row->game() : nullptr;
}

const UserInfo* UsersWidget::currentUser() const
{
    const auto* row = static_cast<UserItem*>(m_userList->currentItem());
    return row ? row->user() : nullptr;
}

void UsersWidget::evaluateButtons()
{
    const LobbyButtons buttons = m_model->buttons(chosenGame(), currentUser());
    m_joinButton->setEnabled(buttons.join);
    m_watchButton->setEnabled(buttons.watch);
    m_kickButton->setEnabled(buttons.kick);
    m_newButton->setEnabled(buttons.newGame);
    m_robotsButton->setEnabled(buttons.newGame);
}

void UsersWidget::updateButtons()
{
    evaluateButtons();
    fillPlayers();
}

void UsersWidget::joinButtonClicked()
{
    if (const GameRecord* game = chosenGame())
        emit join(game->id);
}

void UsersWidget::watchButtonClicked()
{
    if (const GameRecord* game = chosenGame())
        emit watch(game->id);
}

void UsersWidget::kickButtonClicked()
{
    if (const UserInfo* user = currentUser())
        emit kick(user->nickname);
}

void UsersWidget::addPlayerRow(const UserInfo* user, bool observer)
{
    auto* row = new QTreeWidgetItem(m_playerList);
    row->setIcon(PlayerNickname, Pictures::pixmap(observer ? QStringLiteral("Icons/Observer.png")
                                                           : QStringLiteral("Icons/Player.png")));
    row->setText(PlayerNickname, user->nickname);
    row->setText(PlayerHostname, user->hostname);
    row->setToolTip(PlayerHostname, user->hostname);
    QHeaderView* header = m_playerList->header();
    const int nickname =
        m_playerList->fontMetrics().horizontalAdvance(user->nickname) + PictureRoom;
    if (nickname > header->sectionSize(PlayerNickname))
        header->resizeSection(PlayerNickname, nickname);
    row->setText(PlayerRating, QString::number(user->rating));
    row->setText(PlayerLevel, QString::number(user->level));
    row->setText(PlayerGames, QString::number(user->games));
}

void UsersWidget::fillPlayers()
{
    if (m_choosingPlayer)
        return;
    // Rebuilding the rows would otherwise report each one as a new choice.
    const QSignalBlocker blocker(m_playerList);
    const QString chosen =
        m_playerList->currentItem() ? m_playerList->currentItem()->text(PlayerNickname) : QString();
    m_playerList->clear();
    const UserItem* lone = m_loneUser.isEmpty() ? nullptr : m_userRows.value(m_loneUser);
    if (lone) {
        addPlayerRow(lone->user(), true);
    } else if (const GameRecord* game = chosenGame()) {
        for (int i = 0; i < m_userList->topLevelItemCount(); ++i) {
            const UserInfo* user = static_cast<UserItem*>(m_userList->topLevelItem(i))->user();
            if (user->gameId == game->id)
                addPlayerRow(user, user->observer);
        }
    }
    if (!chosen.isEmpty()) {
        const auto found = m_playerList->findItems(chosen, Qt::MatchExactly, PlayerNickname);
        if (!found.isEmpty())
            m_playerList->setCurrentItem(found.first());
    }
}

void UsersWidget::gameSelectionChanged()
{
    m_loneUser.clear();
    evaluateButtons();
    fillPlayers();
}

void UsersWidget::userSelectionChanged()
{
    const UserInfo* user = currentUser();
    GameItem* game = user ? m_gameRows.value(user->gameId) : nullptr;
    if (game && m_gameList->currentItem() != game) {
        // The games list's own slot re-evaluates and fills the players.
        m_gameList->setCurrentItem(game);
        return;
    }
    // A user in no game stands for himself in the players list, while the
    // chosen game stays chosen for Join and Watch.
    if (user && !game)
        m_loneUser = user->nickname;
    else
        m_loneUser.clear();
    evaluateButtons();
    fillPlayers();
}

void UsersWidget::playerSelectionChanged()
{
    const QTreeWidgetItem* player = m_playerList->currentItem();
    if (!player)
        return;
    UserItem* row = m_userRows.value(player->text(PlayerNickname));
    if (!row)
        return;
    // Rebuilding the players now would delete the row whose change is still
    // being reported; they are brought up to date once that is over.
    m_choosingPlayer = true;
    m_userList->setCurrentItem(row);
    m_choosingPlayer = false;
    QMetaObject::invokeMethod(this, &UsersWidget::fillPlayers, Qt::QueuedConnection);
}
