#pragma once

#include <QDialog>

class QPushButton;
class QTextBrowser;

// "How to play": the controls and the rules as this client plays them, for
// a player who has never played. Opened with F1 or the Help button; it
// stays open beside the board while the player tries things out.
class HelpDialog : public QDialog
{
    Q_OBJECT

public:
    explicit HelpDialog(QWidget* parent = nullptr);

    // The whole page, as the browser shows it.
    static QString page();
    QTextBrowser* browser() const { return m_browser; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QTextBrowser* m_browser;
    QPushButton* m_close;
};
