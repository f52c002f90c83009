#include "cards.h"

#include "cardswidget.h"

#include <QScrollBar>
#include <QVBoxLayout>

Cards::Cards(QWidget* parent)
    : QWidget(parent), m_cards(new CardsWidget(this)),
      m_scrollBar(new QScrollBar(Qt::Horizontal, this))
{
    setObjectName(QStringLiteral("Cards"));
    auto* layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("CardsLayout"));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    layout->addWidget(m_cards, 1);
    layout->addWidget(m_scrollBar);

    m_scrollBar->setObjectName(QStringLiteral("CardsScrollbar"));
    m_scrollBar->setRange(0, 0);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(1);
    m_scrollBar->setValue(0);
    // Keeps its room while hidden, so the hand does not jump when it appears.
    QSizePolicy policy = m_scrollBar->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_scrollBar->setSizePolicy(policy);
    m_scrollBar->hide();

    connect(m_cards, &CardsWidget::maxChanged, this, &Cards::maxChanged);
    connect(m_cards, &CardsWidget::currentChanged, this, &Cards::currentChanged);
    connect(m_scrollBar, &QScrollBar::valueChanged, m_cards, &CardsWidget::setFirst);
    connect(m_cards, &CardsWidget::validSelection, this, &Cards::validSelection);
    connect(m_cards, &CardsWidget::invalidSelection, this, &Cards::invalidSelection);
    connect(m_cards, &CardsWidget::exchanged, this, &Cards::exchanged);
}

void Cards::setGameItem(const GameRecord* game)
{
    m_cards->setGameItem(game);
}

void Cards::reset()
{
    m_cards->reset();
}

void Cards::addCard(int code)
{
    m_cards->addCard(code);
}

void Cards::exchange()
{
    m_cards->exchange();
}

void Cards::maxChanged(int maximum)
{
    m_scrollBar->setMaximum(maximum);
    m_scrollBar->setVisible(maximum >= 1);
}

void Cards::currentChanged(int first)
{
    m_scrollBar->setValue(first);
}
