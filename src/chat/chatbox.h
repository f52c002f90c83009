#pragma once

#include <QMultiHash>
#include <QWidget>

class ChatUserItem;
class ChatView;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// One chat channel: its lines, the users present, an input line and the
// Whisper and Ignore buttons. The box only shows and forwards: a typed line
// and the buttons leave it as signals, and what it shows is put in through
// its slots.
class ChatBox : public QWidget
{
    Q_OBJECT

public:
    explicit ChatBox(QWidget* parent = nullptr);

    ChatView* view() const { return m_view; }
    QLineEdit* inputLine() const { return m_input; }
    QTreeWidget* userList() const { return m_users; }
    QCheckBox* leaveJoins() const { return m_leaveJoins; }
    QPushButton* whisperButton() const { return m_whisperButton; }
    QPushButton* ignoreButton() const { return m_ignoreButton; }

    // The item added last under that nickname, compared without regard to
    // case; null when there is none.
    ChatUserItem* findUser(const QString& nickname) const;
    // The user the buttons act on: the list's current item while it is
    // selected.
    ChatUserItem* selectedUser() const;

public slots:
    void addUser(const QString& nickname);
    void removeUser(const QString& nickname);
    void setColor(const QString& nickname, const QColor& color);
    void setStrikeOut(const QString& nickname, bool strikeOut);
    void displayMessage(const QColor& circleColor, const QColor& textColor, const QString& text,
                        bool hideable);
    // Empties the user list; the lines stay.
    void reset();
    void changeFont(const QFont& font);

signals:
    void whisper(const QString& nickname);
    void chat(const QString& text);
    void ignore(const QString& nickname);

private slots:
    void selectionChanged();
    void itemDoubleClicked(QTreeWidgetItem* item);
    void whisperClicked();
    void ignoreClicked();
    void inputReceived();
    void leaveJoinsToggled(bool on);

private:
    ChatView* m_view = nullptr;
    QLineEdit* m_input = nullptr;
    QTreeWidget* m_users = nullptr;
    QCheckBox* m_leaveJoins = nullptr;
    QPushButton* m_whisperButton = nullptr;
    QPushButton* m_ignoreButton = nullptr;
    // Keyed by the lower-cased nickname; a nickname added twice has two
    // entries, and the newest is found first. The list owns the items.
    QMultiHash<QString, ChatUserItem*> m_items;
};
