#include "question.h"

#include "datadirectories.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Question::Question(const QString& title, const QString& question, QWidget* parent,
                   const QString& name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setObjectName(name);
    setModal(modal);
    setWindowIcon(QIcon(DataDirectories::resolve(QStringLiteral("WinIcons/Login.png"))));
    setWindowTitle(tr("QtTarvenixGame -- Question"));
    setWindowIconText(windowTitle());

    auto* layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("QuestionLayout"));
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(5);

    m_titleLabel = new QLabel(title, this);
    m_titleLabel->setObjectName(QStringLiteral("TitleLabel"));
    QFont bold = font();
    bold.setBold(true);
    m_titleLabel->setFont(bold);
    layout->addWidget(m_titleLabel);

    m_questionLabel = new QLabel(question, this);
    m_questionLabel->setObjectName(QStringLiteral("QuestionLabel"));
    // Room to breathe around a short question; a long one still sets the width.
    m_questionLabel->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    layout->addWidget(m_questionLabel);
    layout->addSpacing(8);

    auto* buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("ButtonsWidget"));
    auto* buttonsLayout = new QHBoxLayout(buttons);
    buttonsLayout->setObjectName(QStringLiteral("ButtonsLayout"));
    buttonsLayout->setContentsMargins(0, 0, 0, 0);
    buttonsLayout->setSpacing(8);
    m_yesButton = new QPushButton(tr("Yes"), buttons);
    m_yesButton->setObjectName(QStringLiteral("YesButton"));
    m_yesButton->setDefault(true);
    m_noButton = new QPushButton(tr("No"), buttons);
    m_noButton->setObjectName(QStringLiteral("NoButton"));
    buttonsLayout->addWidget(m_yesButton);
    buttonsLayout->addWidget(m_noButton);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_yesButton, &QPushButton::clicked, this, &Question::yesClicked);
    connect(m_noButton, &QPushButton::clicked, this, &Question::reject);
}

void Question::yesClicked()
{
    // Past QDialog::reject() on purpose: our reject() stands for No.
    QDialog::done(Rejected);
    emit yes();
}

void Question::reject()
{
    QDialog::reject();
    emit no();
}
