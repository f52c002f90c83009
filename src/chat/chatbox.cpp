#include "chatbox.h"

#include "chatuseritem.h"
#include "chatview.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>

namespace {

// The user list asks for the width of a long nickname rather than the
// generic width of a tree view, so the lines get the room.
class UserList : public QTreeWidget
{
public:
    using QTreeWidget::QTreeWidget;

    QSize sizeHint() const override
    {
        const QSize hint = QTreeWidget::sizeHint();
        const int width = fontMetrics().horizontalAdvance(QLatin1Char('x')) * 16 +
                          verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
        return {width, hint.height()};
    }
};

} // namespace

ChatBox::ChatBox(QWidget* parent) : QWidget(parent)
{
    m_view = new ChatView(this);
    m_view->setObjectName(QStringLiteral("ChatOutput"));

    m_input = new QLineEdit(this);
    m_input->setObjectName(QStringLiteral("ChatInput"));

    m_users = new UserList(this);
    m_users->setObjectName(QStringLiteral("UserList"));
    m_users->setColumnCount(1);
    m_users->setHeaderLabels({tr("Nickname")});
    m_users->setRootIsDecorated(false);
    m_users->setUniformRowHeights(true);
    m_users->setSelectionMode(QAbstractItemView::SingleSelection);
    m_users->setItemDelegate(new ChatUserDelegate(m_users));
    m_users->setSortingEnabled(true);
    m_users->sortByColumn(0, Qt::AscendingOrder);
    m_users->header()->setSectionsClickable(false);
    m_users->header()->setSortIndicatorShown(false);

    m_leaveJoins = new QCheckBox(tr("Join/part messages"), this);
    m_leaveJoins->setObjectName(QStringLiteral("LeaveJoins"));
    m_leaveJoins->setChecked(true);

    m_whisperButton = new QPushButton(tr("Whisper"), this);
    m_whisperButton->setObjectName(QStringLiteral("WhisperButton"));
    m_whisperButton->setEnabled(false);
    m_whisperButton->setAutoDefault(false);
    m_ignoreButton = new QPushButton(tr("Ignore"), this);
    m_ignoreButton->setObjectName(QStringLiteral("IgnoreButton"));
    m_ignoreButton->setEnabled(false);
    m_ignoreButton->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->setObjectName(QStringLiteral("MainLayout"));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    auto* buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("ButtonLayout"));
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(5);
    buttons->addWidget(m_whisperButton);
    buttons->addWidget(m_ignoreButton);
    layout->addWidget(m_view, 0, 0, 2, 1);
    layout->addWidget(m_users, 0, 1);
    layout->addWidget(m_leaveJoins, 1, 1);
    layout->addWidget(m_input, 2, 0);
    layout->addLayout(buttons, 2, 1);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(0, 1);

    // Focus given to the box, for instance by switching tabs, lands where
    // the user types.
    setFocusProxy(m_input);

    connect(m_users, &QTreeWidget::itemSelectionChanged, this, &ChatBox::selectionChanged);
    connect(m_users, &QTreeWidget::currentItemChanged, this, &ChatBox::selectionChanged);
    connect(m_users, &QTreeWidget::itemDoubleClicked, this, &ChatBox::itemDoubleClicked);
    connect(m_whisperButton, &QPushButton::clicked, this, &ChatBox::whisperClicked);
    connect(m_ignoreButton, &QPushButton::clicked, this, &ChatBox::ignoreClicked);
    connect(m_input, &QLineEdit::returnPressed, this, &ChatBox::inputReceived);
    connect(m_leaveJoins, &QCheckBox::toggled, this, &ChatBox::leaveJoinsToggled);
}

ChatUserItem* ChatBox::findUser(const QString& nickname) const
{
    return m_items.value(nickname.toLower());
}

ChatUserItem* ChatBox::selectedUser() const
{
    QTreeWidgetItem* current = m_users->currentItem();
    if (!current || !current->isSelected())
        return nullptr;
    return static_cast<ChatUserItem*>(current);
}

void ChatBox::addUser(const QString& nickname)
{
    m_items.insert(nickname.toLower(), new ChatUserItem(m_users, nickname));
}

void ChatBox::removeUser(const QString& nickname)
{
    const auto found = m_items.find(nickname.toLower());
    if (found == m_items.end())
        return;
    ChatUserItem* item = found.value();
    m_items.erase(found);
    // The list would move the selection to a neighbour the user never
    // picked, and Whisper or Ignore would then act on him.
    if (item == m_users->currentItem()) {
        m_users->clearSelection();
        m_users->setCurrentItem(nullptr);
    }
    delete item;
}

void ChatBox::setColor(const QString& nickname, const QColor& color)
{
    if (ChatUserItem* item = findUser(nickname))
        item->setColor(color);
}

void ChatBox::setStrikeOut(const QString& nickname, bool strikeOut)
{
    if (ChatUserItem* item = findUser(nickname))
        item->setStrikeOut(strikeOut);
}

void ChatBox::displayMessage(const QColor& circleColor, const QColor& textColor,
                             const QString& text, bool hideable)
{
    m_view->addLine(circleColor, textColor, text, hideable);
}

void ChatBox::reset()
{
    m_items.clear();
    m_users->clear();
}

void ChatBox::changeFont(const QFont& font)
{
    m_view->changeFont(font);
}

void ChatBox::selectionChanged()
{
    const bool selected = selectedUser() != nullptr;
    m_whisperButton->setEnabled(selected);
    m_ignoreButton->setEnabled(selected);
}

void ChatBox::itemDoubleClicked(QTreeWidgetItem* item)
{
    if (item)
        emit whisper(item->text(0));
}

void ChatBox::whisperClicked()
{
    if (const ChatUserItem* item = selectedUser())
        emit whisper(item->nickname());
}

void ChatBox::ignoreClicked()
{
    if (const ChatUserItem* item = selectedUser())
        emit ignore(item->nickname());
}

void ChatBox::inputReceived()
{
    const QString text = m_input->text();
    if (text.isEmpty())
        return;
    m_input->clear();
    emit chat(text);
}

void ChatBox::leaveJoinsToggled(bool on)
{
    m_view->showHideable(on);
}
