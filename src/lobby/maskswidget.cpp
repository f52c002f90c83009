#include "maskswidget.h"

#include "lobbydelegate.h"
#include "userinfo.h"
#include "useritem.h"
#include "wildcard.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace {

const QString FriendType = QStringLiteral("friend");
const QString EnemyType = QStringLiteral("enemy");
// The type key word of a mask row, kept beside its translated display text.
constexpr int TypeRole = Qt::UserRole;

QString typeOf(const QTreeWidgetItem* row)
{
    return row->data(MasksWidget::TypeColumn, TypeRole).toString();
}

} // namespace

MasksWidget::MasksWidget(QWidget* parent) : QWidget(parent)
{
    m_masksLabel = new QLabel(tr("Masks"), this);
    m_masksLabel->setObjectName(QStringLiteral("MasksLabel"));
    m_usersLabel = new QLabel(tr("Users"), this);
    m_usersLabel->setObjectName(QStringLiteral("UsersLabel"));
    m_inputLabel = new QLabel(tr("Mask"), this);
    m_inputLabel->setObjectName(QStringLiteral("InputLabel"));

    m_maskList = new QTreeWidget(this);
    m_maskList->setObjectName(QStringLiteral("MaskList"));
    m_maskList->setColumnCount(2);
    m_maskList->setHeaderLabels({tr("Type"), tr("Mask")});
    m_maskList->header()->resizeSection(TypeColumn, 60);
    m_maskList->header()->resizeSection(PatternColumn, 200);
    m_maskList->setRootIsDecorated(false);
    m_maskList->setAllColumnsShowFocus(true);
    m_maskList->setSortingEnabled(true);
    m_maskList->sortByColumn(TypeColumn, Qt::AscendingOrder);

    m_userList = new QTreeWidget(this);
    m_userList->setObjectName(QStringLiteral("UserList"));
    UserItem::setUpList(m_userList);
    m_userList->setMinimumSize(180, 100);

    m_inputBox = new QLineEdit(this);
    m_inputBox->setObjectName(QStringLiteral("InputBox"));
    m_inputLabel->setBuddy(m_inputBox);

    m_buttons = new QWidget(this);
    m_friendButton = new QPushButton(tr("Friend"), m_buttons);
    m_friendButton->setObjectName(QStringLiteral("FriendButton"));
    m_enemyButton = new QPushButton(tr("Enemy"), m_buttons);
    m_enemyButton->setObjectName(QStringLiteral("EnemyButton"));
    m_removeButton = new QPushButton(tr("Remove"), m_buttons);
    m_removeButton->setObjectName(QStringLiteral("RemoveButton"));
    m_removeButton->setEnabled(false);
    m_usersButton = new QPushButton(tr("Users..."), m_buttons);
    m_usersButton->setObjectName(QStringLiteral("UsersButton"));

    m_buttonsLayout = new QHBoxLayout(m_buttons);
    m_buttonsLayout->setObjectName(QStringLiteral("ButtonsLayout"));
    m_buttonsLayout->setContentsMargins(0, 0, 0, 0);
    m_buttonsLayout->setSpacing(5);
    m_buttonsLayout->addWidget(m_friendButton);
    m_buttonsLayout->addWidget(m_enemyButton);
    m_buttonsLayout->addWidget(m_removeButton);
    m_buttonsLayout->addWidget(m_usersButton, 1, Qt::AlignRight);

    m_mainLayout = new QGridLayout(this);
    m_mainLayout->setObjectName(QStringLiteral("MainLayout"));
    m_mainLayout->setContentsMargins(2, 2, 2, 2);
    m_mainLayout->setSpacing(5);
    m_mainLayout->addWidget(m_masksLabel, 0, 0);
    m_mainLayout->addWidget(m_usersLabel, 0, 1);
    m_mainLayout->addWidget(m_maskList, 1, 0);
    m_mainLayout->addWidget(m_userList, 1, 1, 3, 1);
    m_mainLayout->addWidget(m_inputLabel, 2, 0);
    m_mainLayout->addWidget(m_inputBox, 3, 0);
    m_mainLayout->addWidget(m_buttons, 4, 0, 1, 2);
    m_mainLayout->setColumnStretch(0, 1);
    m_mainLayout->setColumnStretch(1, 0);
    m_mainLayout->setRowStretch(1, 1);

    connect(m_friendButton, &QPushButton::clicked, this, &MasksWidget::friendButtonClicked);
    connect(m_enemyButton, &QPushButton::clicked, this, &MasksWidget::enemyButtonClicked);
    connect(m_removeButton, &QPushButton::clicked, this, &MasksWidget::removeButtonClicked);
    connect(m_usersButton, &QPushButton::clicked, this, &MasksWidget::users);
    connect(m_userList, &QTreeWidget::currentItemChanged, this, &MasksWidget::userSelectionChanged);
    connect(m_maskList, &QTreeWidget::currentItemChanged, this, &MasksWidget::maskSelectionChanged);
}

void MasksWidget::insertMask(const QString& pattern, const QString& type)
{
    const QString stripped = pattern.trimmed();
    if (stripped.isEmpty())
        return;
    for (int i = 0; i < m_maskList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = m_maskList->topLevelItem(i);
        if (typeOf(row) == type &&
            row->text(PatternColumn).compare(stripped, Qt::CaseInsensitive) == 0)
            return;
    }
    auto* row = new QTreeWidgetItem;
    row->setText(TypeColumn, type == FriendType ? tr("friend") : tr("enemy"));
    row->setData(TypeColumn, TypeRole, type);
    row->setText(PatternColumn, stripped);
    m_maskList->addTopLevelItem(row);

    const bool isFriendMask = type == FriendType;
    const QRegularExpression expression = wildcardExpression(stripped);
    // Collected first: the receivers redraw rows, which may re-sort the list.
    for (const UserInfo* user : usersInOrder()) {
        if (isFriendMask ? user->isFriend : user->isEnemy)
            continue;
        if (!expression.match(user->matchText()).hasMatch())
            continue;
        if (isFriendMask)
            emit isFriend(user->nickname, true);
        else
            emit isEnemy(user->nickname, true);
    }
}

bool MasksWidget::matches(const UserInfo& user, const QString& type) const
{
    const QString text = user.matchText();
    for (int i = 0; i < m_maskList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = m_maskList->topLevelItem(i);
        if (typeOf(row) == type && wildcardMatches(row->text(PatternColumn), text))
            return true;
    }
    return false;
}

bool MasksWidget::matchesFriend(const UserInfo& user) const
{
    return matches(user, FriendType);
}

bool MasksWidget::matchesEnemy(const UserInfo& user) const
{
    return matches(user, EnemyType);
}

QList<QPair<QString, QString>> MasksWidget::masks() const
{
    QList<QPair<QString, QString>> list;
    for (int i = 0; i < m_maskList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = m_maskList->topLevelItem(i);
        list.append({typeOf(row), row->text(PatternColumn)});
    }
    return list;
}

QList<const UserInfo*> MasksWidget::usersInOrder() const
{
    QList<const UserInfo*> list;
    for (int i = 0; i < m_userList->topLevelItemCount(); ++i)
        list << static_cast<const UserItem*>(m_userList->topLevelItem(i))->user();
    return list;
}

void MasksWidget::addUser(const UserInfo* user)
{
    removeUser(user->nickname);
    auto* row = new UserItem(user);
    m_userList->addTopLevelItem(row);
    m_userRows.insert(user->nickname, row);
}

void MasksWidget::refreshUser(const UserInfo* user)
{
    if (UserItem* row = m_userRows.value(user->nickname))
        row->refresh();
}

void MasksWidget::removeUser(const QString& nickname)
{
    // A user leaving must not overwrite the mask being typed with the text
    // of whoever becomes the current row.
    const QSignalBlocker blocker(m_userList);
    delete m_userRows.take(nickname);
}

void MasksWidget::clear()
{
    m_userRows.clear();
    {
        const QSignalBlocker blocker(m_userList);
        m_userList->clear();
    }
    m_maskList->clear();
    m_inputBox->clear();
}

void MasksWidget::addFromInput(const QString& type)
{
    const QString pattern = m_inputBox->text().trimmed();
    if (pattern.isEmpty())
        return;
    // The server hears of the mask first, whether or not it is new here.
    emit addMask(pattern, type);
    insertMask(pattern, type);
    m_inputBox->clear();
}

void MasksWidget::friendButtonClicked()
{
    addFromInput(FriendType);
}

void MasksWidget::enemyButtonClicked()
{
    addFromInput(EnemyType);
}

void MasksWidget::removeButtonClicked()
{
    QTreeWidgetItem* row = m_maskList->currentItem();
    if (!row)
        return;
    const QString pattern = row->text(PatternColumn);
    const QString type = typeOf(row);
    emit removeMask(pattern, type);
    delete row;

    const bool isFriendMask = type == FriendType;
    for (const UserInfo* user : usersInOrder()) {
        if (!(isFriendMask ? user->isFriend : user->isEnemy))
            continue;
        if (!wildcardMatches(pattern, user->matchText()) || matches(*user, type))
            continue;
        if (isFriendMask)
            emit isFriend(user->nickname, false);
        else
            emit isEnemy(user->nickname, false);
    }
}

void MasksWidget::userSelectionChanged()
{
    if (const auto* row = static_cast<const UserItem*>(m_userList->currentItem()))
        m_inputBox->setText(row->user()->matchText());
}

void MasksWidget::maskSelectionChanged()
{
    m_removeButton->setEnabled(m_maskList->currentItem() != nullptr);
}
