#pragma once

#include <QFrame>

class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

// A panel that floats over the top middle of its parent, the board, without
// taking the board's clicks elsewhere: the notices of a game that the player
// reads and closes when he likes. It follows the board's size by itself.
class BoardPanel : public QFrame
{
    Q_OBJECT

public:
    explicit BoardPanel(QWidget* board);

    void setTitle(const QString& text);
    void setText(const QString& text);
    QString title() const;
    QString text() const;

    // Shows the panel at its place and above the board's other children.
    void popUp();

signals:
    void leaveClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    QVBoxLayout* body() const { return m_body; }
    void place();

private:
    QVBoxLayout* m_body = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_text = nullptr;
    QPushButton* m_leave = nullptr;
    QPushButton* m_close = nullptr;
};
