#pragma once

#include <QFont>
#include <QHash>
#include <QIcon>
#include <QStringList>
#include <QWidget>

#include <optional>

class ChatBox;
class QTabWidget;
class WhisperBox;

// The chat window: a tab for each of the global, game and members channels
// and one per whisper conversation. A tab marked active while it is not in
// front shows the active icon until the user brings it forward. The window
// is filled and managed through its slots (by the scripts) and hands every
// gesture on as a signal.
class ChatDialog : public QWidget
{
    Q_OBJECT

public:
    explicit ChatDialog(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    ChatBox* globalBox() const { return m_global; }
    ChatBox* gameBox() const { return m_game; }
    ChatBox* membersBox() const { return m_members; }
    // The whisper tab of exactly that nickname, or null.
    WhisperBox* whisperBox(const QString& nickname) const { return m_whispers.value(nickname); }
    // The nicknames that have a whisper tab, in the order of their tabs.
    QStringList whisperNames() const;
    // Whether the page's tab carries the active icon.
    bool isMarkedActive(QWidget* page) const;

public slots:
    void addGlobalUser(const QString& nickname);
    void addGameUser(const QString& nickname);
    void addMembersUser(const QString& nickname);
    void setGlobalUserColor(const QString& nickname, const QColor& color);
    void setGameUserColor(const QString& nickname, const QColor& color);
    void setMemberUserColor(const QString& nickname, const QColor& color);
    void setGlobalUserStrikeOut(const QString& nickname, bool strikeOut);
    void setGameUserStrikeOut(const QString& nickname, bool strikeOut);
    void setMemberUserStrikeOut(const QString& nickname, bool strikeOut);
    void removeGlobalUser(const QString& nickname);
    void removeGameUser(const QString& nickname);
    void removeMembersUser(const QString& nickname);
    void addGlobalMessage(const QColor& circleColor, const QColor& textColor, const QString& text,
                          bool hideable);
    void addGameMessage(const QColor& circleColor, const QColor& textColor, const QString& text,
                        bool hideable);
    void addMembersMessage(const QColor& circleColor, const QColor& textColor, const QString& text,
                           bool hideable);
    // Finds or creates the nickname's whisper tab and brings it to the front.
    void showWhisperBox(const QString& nickname);
    void closeWhisperBox(const QString& nickname);
    // Finds or creates the nickname's whisper tab, leaving the tab in front
    // where it is, and adds the line.
    void addWhisperMessage(const QColor& circleColor, const QColor& textColor,
                           const QString& nickname, const QString& text);
    void hilightGlobal();
    void hilightGame();
    void hilightMembers();
    void hilightWhisper(const QString& nickname);
    void resetGlobal();
    void resetGame();
    void resetMembers();
    // Empties the three channels' user lists.
    void reset();
    // The chat font, for the channels and the whisper tabs alike.
    void changeFont(const QFont& font);
    void markActive(QWidget* page);
    void markPassive(QWidget* page);

protected:
    void showEvent(QShowEvent* event) override;

signals:
    void globalChat(const QString& text);
    void gameChat(const QString& text);
    void membersChat(const QString& text);
    void whisper(const QString& nickname, const QString& text);
    void ignore(const QString& nickname);
    void startWhisper(const QString& nickname);
    void stopWhisper(const QString& nickname);

private:
    ChatBox* addChannel(const QString& label);
    WhisperBox* findOrCreateWhisper(const QString& nickname);

    QTabWidget* m_tabs = nullptr;
    ChatBox* m_global = nullptr;
    ChatBox* m_game = nullptr;
    ChatBox* m_members = nullptr;
    QIcon m_activeIcon;
    QIcon m_passiveIcon;
    // Keyed by the nickname exactly as given: two nicknames that differ
    // only in case are two conversations.
    QHash<QString, WhisperBox*> m_whispers;
    // Set once the user has chosen a chat font; new whisper tabs take it.
    std::optional<QFont> m_font;
};
