#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// The line at the foot of the login and registration forms that tells how the
// way to the server goes: a busy bar beside "Connecting to ...", or the reason
// in red when it failed. Hidden while there is nothing to tell.
class ConnectStatus : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Spacing = 6;

    explicit ConnectStatus(QWidget* parent = nullptr);

    void showBusy(const QString& text);
    void showFailure(const QString& text);
    void clear();

    bool isBusy() const;
    QString text() const;

    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

private:
    QProgressBar* m_busy = nullptr;
    QLabel* m_text = nullptr;
};
