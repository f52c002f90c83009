#include "chatdialog.h"

#include "chatbox.h"
#include "chatview.h"
#include "datadirectories.h"
#include "whisperbox.h"

#include <QHBoxLayout>
#include <QTabWidget>

ChatDialog::ChatDialog(QWidget* parent)
    : QWidget(parent), m_activeIcon(QStringLiteral("Icons/Chat.png")),
      m_passiveIcon(QStringLiteral("Icons/NoChat.png"))
{
    setObjectName(QStringLiteral("ChatDialog"));
    setWindowIcon(QIcon(DataDirectories::resolve(QStringLiteral("WinIcons/Chat.png"))));
    setWindowTitle(tr("QtTarvenixGame -- Chat"));
    setWindowIconText(windowTitle());

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("ChatTabs"));
    // Every tab stays in sight, so a lit whisper tab is never hidden behind
    // the scroll arrows: crowded labels are shortened instead.
    m_tabs->setElideMode(Qt::ElideRight);
    m_tabs->setUsesScrollButtons(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(m_tabs);

    m_global = addChannel(tr("Global Chatbox"));
    m_game = addChannel(tr("Game Chatbox"));
    m_members = addChannel(tr("Members Chatbox"));

    connect(m_global, &ChatBox::chat, this, &ChatDialog::globalChat);
    connect(m_game, &ChatBox::chat, this, &ChatDialog::gameChat);
    connect(m_members, &ChatBox::chat, this, &ChatDialog::membersChat);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        QWidget* page = m_tabs->widget(index);
        markPassive(page);
        // The typing follows to the tab brought forward.
        if (page && isActiveWindow())
            page->setFocus();
    });

    resize(500, 400);
}

ChatBox* ChatDialog::addChannel(const QString& label)
{
    auto* box = new ChatBox(m_tabs);
    m_tabs->setTabToolTip(m_tabs->addTab(box, m_passiveIcon, label), label);
    connect(box, &ChatBox::ignore, this, &ChatDialog::ignore);
    connect(box, &ChatBox::whisper, this, &ChatDialog::startWhisper);
    return box;
}

WhisperBox* ChatDialog::findOrCreateWhisper(const QString& nickname)
{
    if (WhisperBox* box = m_whispers.value(nickname))
        return box;
    auto* box = new WhisperBox(nickname, this);
    if (m_font)
        box->view()->changeFont(*m_font);
    m_tabs->setTabToolTip(m_tabs->addTab(box, nickname), nickname);
    m_whispers.insert(nickname, box);
    connect(box, &WhisperBox::chat, this, &ChatDialog::whisper);
    connect(box, &WhisperBox::close, this, &ChatDialog::stopWhisper);
    return box;
}

QStringList ChatDialog::whisperNames() const
{
    QStringList names;
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (const auto* box = qobject_cast<const WhisperBox*>(m_tabs->widget(i)))
            names.append(box->peer());
    }
    return names;
}

bool ChatDialog::isMarkedActive(QWidget* page) const
{
    const int index = m_tabs->indexOf(page);
    return index >= 0 && m_tabs->tabIcon(index).cacheKey() == m_activeIcon.cacheKey();
}

void ChatDialog::addGlobalUser(const QString& nickname)
{
    m_global->addUser(nickname);
}

void ChatDialog::addGameUser(const QString& nickname)
{
    m_game->addUser(nickname);
}

void ChatDialog::addMembersUser(const QString& nickname)
{
    m_members->addUser(nickname);
}

void ChatDialog::setGlobalUserColor(const QString& nickname, const QColor& color)
{
    m_global->setColor(nickname, color);
}

void ChatDialog::setGameUserColor(const QString& nickname, const QColor& color)
{
    m_game->setColor(nickname, color);
}

void ChatDialog::setMemberUserColor(const QString& nickname, const QColor& color)
{
    m_members->setColor(nickname, color);
}

void ChatDialog::setGlobalUserStrikeOut(const QString& nickname, bool strikeOut)
{
    m_global->setStrikeOut(nickname, strikeOut);
}

void ChatDialog::setGameUserStrikeOut(const QString& nickname, bool strikeOut)
{
    m_game->setStrikeOut(nickname, strikeOut);
}

void ChatDialog::setMemberUserStrikeOut(const QString& nickname, bool strikeOut)
{
    m_members->setStrikeOut(nickname, strikeOut);
}

void ChatDialog::removeGlobalUser(const QString& nickname)
{
    m_global->removeUser(nickname);
}

void ChatDialog::removeGameUser(const QString& nickname)
{
    m_game->removeUser(nickname);
}

void ChatDialog::removeMembersUser(const QString& nickname)
{
    m_members->removeUser(nickname);
}

void ChatDialog::addGlobalMessage(const QColor& circleColor, const QColor& textColor,
                                  const QString& text, bool hideable)
{
    m_global->displayMessage(circleColor, textColor, text, hideable);
}

void ChatDialog::addGameMessage(const QColor& circleColor, const QColor& textColor,
                                const QString& text, bool hideable)
{
    m_game->displayMessage(circleColor, textColor, text, hideable);
}

void ChatDialog::addMembersMessage(const QColor& circleColor, const QColor& textColor,
                                   const QString& text, bool hideable)
{
    m_members->displayMessage(circleColor, textColor, text, hideable);
}

void ChatDialog::showWhisperBox(const QString& nickname)
{
    m_tabs->setCurrentWidget(findOrCreateWhisper(nickname));
}

void ChatDialog::closeWhisperBox(const QString& nickname)
{
    WhisperBox* box = m_whispers.take(nickname);
    if (!box)
        return;
    m_tabs->removeTab(m_tabs->indexOf(box));
    box->hide();
    // Close is usually pressed inside this very tab, whose button is still
    // delivering its click.
    box->deleteLater();
}

void ChatDialog::addWhisperMessage(const QColor& circleColor, const QColor& textColor,
                                   const QString& nickname, const QString& text)
{
    findOrCreateWhisper(nickname)->displayMessage(circleColor, textColor, text);
}

void ChatDialog::hilightGlobal()
{
    markActive(m_global);
}

void ChatDialog::hilightGame()
{
    markActive(m_game);
}

void ChatDialog::hilightMembers()
{
    markActive(m_members);
}

void ChatDialog::hilightWhisper(const QString& nickname)
{
    markActive(findOrCreateWhisper(nickname));
}

void ChatDialog::resetGlobal()
{
    m_global->reset();
}

void ChatDialog::resetGame()
{
    m_game->reset();
}

void ChatDialog::resetMembers()
{
    m_members->reset();
}

void ChatDialog::reset()
{
    resetGlobal();
    resetGame();
    resetMembers();
}

void ChatDialog::changeFont(const QFont& font)
{
    m_font = font;
    m_global->changeFont(font);
    m_game->changeFont(font);
    m_members->changeFont(font);
    for (WhisperBox* box : std::as_const(m_whispers))
        box->view()->changeFont(font);
}

void ChatDialog::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Opening the chat window is for typing: the tab in front's input line
    // takes the keys.
    if (QWidget* page = m_tabs->currentWidget())
        page->setFocus();
}

void ChatDialog::markActive(QWidget* page)
{
    const int index = m_tabs->indexOf(page);
    if (index >= 0 && index != m_tabs->currentIndex())
        m_tabs->setTabIcon(index, m_activeIcon);
}

void ChatDialog::markPassive(QWidget* page)
{
    const int index = m_tabs->indexOf(page);
    if (index >= 0)
        m_tabs->setTabIcon(index, m_passiveIcon);
}
