#include "maskswidget.h"

#include "useritem.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <algorithm>

namespace {

// The type key word of a mask row, kept beside its translated display text.
constexpr int TypeRole = Qt::UserRole;

QString typeOf(const QTreeWidgetItem* row)
{
    return row->data(MasksWidget::TypeColumn, TypeRole).toString();
}

} // namespace

MasksWidget::MasksWidget(LobbyModel* model, QWidget* parent) : QWidget(parent), m_model(model)
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
    m_userList->setMinimumSize(std::max(180, m_userList->minimumWidth()), 100);

    m_inputBox = new QLineEdit(this);
    m_inputBox->setObjectName(QStringLiteral("InputBox"));
    m_inputLabel->setBuddy(m_inputBox);
    // A bare nickname matches nobody: the host part is always compared.
    m_inputHint = new QLabel(
        tr("A mask is nickname@host, where * stands for any text and ? for any one character, "
           "for example \"bob@*\"."),
        this);
    m_inputHint->setObjectName(QStringLiteral("InputHint"));
    m_inputHint->setWordWrap(true);
    m_inputBox->setPlaceholderText(tr("nickname@host"));

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
    m_mainLayout->addWidget(m_userList, 1, 1, 4, 1);
    m_mainLayout->addWidget(m_inputLabel, 2, 0);
    m_mainLayout->addWidget(m_inputBox, 3, 0);
    m_mainLayout->addWidget(m_inputHint, 4, 0);
    m_mainLayout->addWidget(m_buttons, 5, 0, 1, 2);
    m_mainLayout->setColumnStretch(0, 1);
    m_mainLayout->setColumnStretch(1, 0);
    m_mainLayout->setRowStretch(1, 1);

    connect(m_friendButton, &QPushButton::clicked, this, &MasksWidget::friendButtonClicked);
    connect(m_enemyButton, &QPushButton::clicked, this, &MasksWidget::enemyButtonClicked);
    connect(m_removeButton, &QPushButton::clicked, this, &MasksWidget::removeButtonClicked);
    connect(m_usersButton, &QPushButton::clicked, this, &MasksWidget::users);
    connect(m_userList, &QTreeWidget::currentItemChanged, this, &MasksWidget::userSelectionChanged);
    connect(m_maskList, &QTreeWidget::currentItemChanged, this, &MasksWidget::maskSelectionChanged);

    connect(m_model, &LobbyModel::maskAdded, this, &MasksWidget::addMaskRow);
    connect(m_model, &LobbyModel::maskRemoved, this, &MasksWidget::removeMaskRow);
    connect(m_model, &LobbyModel::userAdded, this, &MasksWidget::addUser);
    connect(m_model, &LobbyModel::userChanged, this, &MasksWidget::refreshUser);
    connect(m_model, &LobbyModel::userRemoved, this, &MasksWidget::removeUser);
    connect(m_model, &LobbyModel::cleared, this, &MasksWidget::clear);
    connect(m_model, &LobbyModel::isFriend, this, &MasksWidget::isFriend);
    connect(m_model, &LobbyModel::isEnemy, this, &MasksWidget::isEnemy);
    for (const LobbyModel::Mask& mask : m_model->masks())
        addMaskRow(mask);
    for (const UserInfo* user : m_model->users())
        addUser(user);
}

void MasksWidget::addMaskRow(const LobbyModel::Mask& mask)
{
    auto* row = new QTreeWidgetItem;
    row->setText(TypeColumn, mask.type == LobbyModel::FriendType ? tr("friend") : tr("enemy"));
    row->setData(TypeColumn, TypeRole, mask.type);
    row->setText(PatternColumn, mask.pattern);
    m_maskList->addTopLevelItem(row);
}

void MasksWidget::removeMaskRow(const LobbyModel::Mask& mask)
{
    for (int i = 0; i < m_maskList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = m_maskList->topLevelItem(i);
        if (typeOf(row) == mask.type && row->text(PatternColumn) == mask.pattern) {
            delete row;
            return;
        }
    }
}

void MasksWidget::addUser(const UserInfo* user)
{
    auto* row = new UserItem(user);
    m_userList->addTopLevelItem(row);
    m_userRows.insert(user->nickname, row);
}

void MasksWidget::refreshUser(const UserInfo* user)
{
    if (UserItem* row = m_userRows.value(user->nickname))
        row->refresh();
}

void MasksWidget::removeUser(const UserInfo* user)
{
    // A user leaving must not overwrite the mask being typed with the text
    // of whoever becomes the current row.
    const QSignalBlocker blocker(m_userList);
    delete m_userRows.take(user->nickname);
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
    m_model->insertMask(pattern, type);
    m_inputBox->clear();
}

void MasksWidget::friendButtonClicked()
{
    addFromInput(LobbyModel::FriendType);
}

void MasksWidget::enemyButtonClicked()
{
    addFromInput(LobbyModel::EnemyType);
}

void MasksWidget::removeButtonClicked()
{
    const QTreeWidgetItem* row = m_maskList->currentItem();
    if (!row)
        return;
    const QString pattern = row->text(PatternColumn);
    const QString type = typeOf(row);
    emit removeMask(pattern, type);
    m_model->removeMask(pattern, type);
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
