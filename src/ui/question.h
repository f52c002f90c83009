#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// A yes/no confirmation with a bold title above the question. The answer comes
// only as the yes() or no() signal; closing the window counts as No.
class Question : public QDialog
{
    Q_OBJECT

public:
    Question(const QString& title, const QString& question, QWidget* parent = nullptr,
             const QString& name = {}, bool modal = false, Qt::WindowFlags flags = {});

public slots:
    void reject() override;

signals:
    void yes();
    void no();

private:
    void yesClicked();

    QLabel* m_titleLabel = nullptr;
    QLabel* m_questionLabel = nullptr;
    QPushButton* m_yesButton = nullptr;
    QPushButton* m_noButton = nullptr;
};
