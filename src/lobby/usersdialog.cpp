#include "usersdialog.h"

#include "gameitem.h"
#include "maskswidget.h"
#include "pictures.h"
#include "userinfo.h"
#include "userswidget.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStackedWidget>

UsersDialog::UsersDialog(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("UsersDialog"));
    setWindowIcon(Pictures::pixmap(QStringLiteral("WinIcons/Users.png")));
    setWindowTitle(tr("QtTarvenixGame -- Games & Users"));
    setWindowIconText(tr("QtTarvenixGame -- Games & Users"));

    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(10, 10, 10, 10);
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("Stack"));
    m_layout->addWidget(m_stack);
    m_usersWidget = new UsersWidget(m_stack);
    m_usersWidget->setObjectName(QStringLiteral("UsersWidget"));
    m_masksWidget = new MasksWidget(m_stack);
    m_masksWidget->setObjectName(QStringLiteral("MasksWidget"));
    m_stack->addWidget(m_usersWidget);
    m_stack->addWidget(m_masksWidget);
    m_stack->setCurrentWidget(m_usersWidget);
    // Room for the games' columns and the legend without scrolling sideways,
    // as far as the screen allows.
    QSize initial = sizeHint().expandedTo(QSize(1180, 640));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        initial = initial.boundedTo(screen->availableSize() * 0.95);
    resize(initial);

    connect(m_usersWidget, &UsersWidget::join, this, &UsersDialog::join);
    connect(m_usersWidget, &UsersWidget::watch, this, &UsersDialog::watch);
    connect(m_usersWidget, &UsersWidget::kick, this, &UsersDialog::kick);
    connect(m_usersWidget, &UsersWidget::newGame, this, &UsersDialog::newGame);
    connect(m_usersWidget, &UsersWidget::edit, this, &UsersDialog::switchDisplay);
    connect(m_masksWidget, &MasksWidget::users, this, &UsersDialog::switchDisplay);
    connect(m_masksWidget, &MasksWidget::addMask, this, &UsersDialog::addMask);
    connect(m_masksWidget, &MasksWidget::removeMask, this, &UsersDialog::removeMask);
    connect(m_masksWidget, &MasksWidget::isFriend, this, &UsersDialog::makeFriend);
    connect(m_masksWidget, &MasksWidget::isEnemy, this, &UsersDialog::makeEnemy);
}

UsersDialog::~UsersDialog()
{
    // The rows refer to the records, so they go first.
    m_usersWidget->clear();
    m_masksWidget->clear();
}

void UsersDialog::switchDisplay()
{
    m_stack->setCurrentWidget(m_stack->currentWidget() == m_usersWidget
                                  ? static_cast<QWidget*>(m_masksWidget)
                                  : m_usersWidget);
}

UserInfo* UsersDialog::addUser(const QString& nickname, const QString& hostname)
{
    removeUser(nickname);
    auto record = std::make_unique<UserInfo>(nickname, hostname);
    UserInfo* user = record.get();
    user->isFriend = m_masksWidget->matchesFriend(*user);
    user->isEnemy = m_masksWidget->matchesEnemy(*user);
    m_users.emplace(nickname, std::move(record));
    m_usersWidget->addUser(user);
    m_masksWidget->addUser(user);
    return user;
}

UserInfo* UsersDialog::findUser(const QString& nickname) const
{
    const auto it = m_users.find(nickname);
    return it == m_users.end() ? nullptr : it->second.get();
}

void UsersDialog::removeUser(const QString& nickname)
{
    const auto it = m_users.find(nickname);
    if (it == m_users.end())
        return;
    m_usersWidget->removeUser(nickname);
    m_masksWidget->removeUser(nickname);
    m_users.erase(it);
}

void UsersDialog::updateUser(const QString& nickname, int rating, int games, int playingGame,
                             int watchingGame, bool member, const QString& smilie, bool admin,
                             int level)
{
    UserInfo* user = findUser(nickname);
    if (!user)
        return;
    const bool shownChanged = user->rating != rating || user->games != games ||
                              user->smilie != smilie || user->admin != admin ||
                              user->level != level;
    user->rating = rating;
    user->games = games;
    user->member = member;
    user->smilie = smilie;
    user->admin = admin;
    user->level = level;
    const GameItem* playing = findGame(playingGame);
    const GameItem* watching = findGame(watchingGame);
    user->gameId = playing ? playing->id : watching ? watching->id : 0;
    user->observer = watching != nullptr;
    if (shownChanged)
        refreshRows(user);
    m_usersWidget->updateButtons();
}

void UsersDialog::clear()
{
    m_usersWidget->clear();
    m_masksWidget->clear();
    m_users.clear();
}

GameItem* UsersDialog::addGame(const GameRecord& record)
{
    return m_usersWidget->addGame(record);
}

GameItem* UsersDialog::findGame(int id) const
{
    return m_usersWidget->findGame(id);
}

void UsersDialog::removeGame(int id)
{
    if (!findGame(id))
        return;
    for (auto& [nickname, user] : m_users) {
        if (user->gameId == id) {
            user->gameId = 0;
            user->observer = false;
        }
    }
    m_usersWidget->removeGame(id);
}

void UsersDialog::setMe(const UserInfo* me)
{
    m_usersWidget->setMe(me);
}

UserInfo* UsersDialog::me() const
{
    const QString nickname = m_usersWidget->meNickname();
    return nickname.isEmpty() ? nullptr : findUser(nickname);
}

GameItem* UsersDialog::gameOf(const UserInfo* user) const
{
    return user ? findGame(user->gameId) : nullptr;
}

QList<UserInfo*> UsersDialog::users() const
{
    QList<UserInfo*> list;
    for (const auto& [nickname, user] : m_users)
        list << user.get();
    return list;
}

QList<UserInfo*> UsersDialog::usersInGame(int id) const
{
    QList<UserInfo*> list;
    if (!findGame(id))
        return list;
    for (const auto& [nickname, user] : m_users) {
        if (user->gameId == id)
            list << user.get();
    }
    return list;
}

QList<UserInfo*> UsersDialog::members() const
{
    QList<UserInfo*> list;
    for (const auto& [nickname, user] : m_users) {
        if (user->member)
            list << user.get();
    }
    return list;
}

QList<GameItem*> UsersDialog::games() const
{
    return m_usersWidget->games();
}

void UsersDialog::insertMask(const QString& pattern, const QString& type)
{
    m_masksWidget->insertMask(pattern, type);
}

void UsersDialog::updateButtons()
{
    m_usersWidget->updateButtons();
}

void UsersDialog::refreshRows(const UserInfo* user)
{
    m_usersWidget->refreshUser(user);
    m_masksWidget->refreshUser(user);
}

void UsersDialog::makeFriend(const QString& nickname, bool value)
{
    UserInfo* user = findUser(nickname);
    if (!user)
        return;
    user->isFriend = value;
    refreshRows(user);
    emit isFriend(nickname, value);
}

void UsersDialog::makeEnemy(const QString& nickname, bool value)
{
    UserInfo* user = findUser(nickname);
    if (!user)
        return;
    user->isEnemy = value;
    refreshRows(user);
    emit isEnemy(nickname, value);
}
