#include "whisperbox.h"

#include "chatview.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

WhisperBox::WhisperBox(const QString& peer, QWidget* parent) : QWidget(parent), m_peer(peer)
{
    m_view = new ChatView(this);
    m_view->setObjectName(QStringLiteral("ChatOutput"));
    m_input = new QLineEdit(this);
    m_input->setObjectName(QStringLiteral("ChatInput"));
    m_closeButton = new QPushButton(tr("Close"), this);
    m_closeButton->setObjectName(QStringLiteral("CloseButton"));
    m_closeButton->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->setObjectName(QStringLiteral("WhisperLayout"));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_view, 0, 0, 1, 2);
    layout->addWidget(m_input, 1, 0);
    layout->addWidget(m_closeButton, 1, 1);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(0, 1);

    setFocusProxy(m_input);

    connect(m_input, &QLineEdit::returnPressed, this, &WhisperBox::inputReceived);
    connect(m_closeButton, &QPushButton::clicked, this, &WhisperBox::buttonClicked);
}

void WhisperBox::displayChat(const QColor& circleColor, const QColor& textColor,
                             const QString& speaker, const QString& text)
{
    m_view->addLine(circleColor, textColor, speaker + QStringLiteral(": ") + text, false);
}

void WhisperBox::displayMessage(const QColor& circleColor, const QColor& textColor,
                                const QString& text)
{
    m_view->addLine(circleColor, textColor, text, false);
}

void WhisperBox::inputReceived()
{
    const QString text = m_input->text();
    if (text.isEmpty())
        return;
    m_input->clear();
    emit chat(m_peer, text);
}

void WhisperBox::buttonClicked()
{
    emit close(m_peer);
}
