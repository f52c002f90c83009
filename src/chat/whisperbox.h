#pragma once

#include <QWidget>

class ChatView;
class QLineEdit;
class QPushButton;

// One private conversation: its lines, an input line and a Close button.
// A typed line and Close leave the box as signals carrying the peer's
// nickname; the box closes nothing by itself.
class WhisperBox : public QWidget
{
    Q_OBJECT

public:
    explicit WhisperBox(const QString& peer, QWidget* parent = nullptr);

    QString peer() const { return m_peer; }
    ChatView* view() const { return m_view; }
    QLineEdit* inputLine() const { return m_input; }
    QPushButton* closeButton() const { return m_closeButton; }

public slots:
    // Adds "speaker: text".
    void displayChat(const QColor& circleColor, const QColor& textColor, const QString& speaker,
                     const QString& text);
    void displayMessage(const QColor& circleColor, const QColor& textColor, const QString& text);

signals:
    void chat(const QString& peer, const QString& text);
    void close(const QString& peer);

private slots:
    void inputReceived();
    void buttonClicked();

private:
    const QString m_peer;
    ChatView* m_view = nullptr;
    QLineEdit* m_input = nullptr;
    QPushButton* m_closeButton = nullptr;
};
