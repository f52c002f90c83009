#include "usersdialog.h"

#include "maskswidget.h"
#include "pictures.h"
#include "userswidget.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStackedWidget>

UsersDialog::UsersDialog(LobbyModel* model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setObjectName(QStringLiteral("UsersDialog"));
    setWindowIcon(Pictures::pixmap(QStringLiteral("WinIcons/Users.png")));
    setWindowTitle(tr("QtTarvenixGame -- Games & Users"));
    setWindowIconText(tr("QtTarvenixGame -- Games & Users"));

    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(10, 10, 10, 10);
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("Stack"));
    m_layout->addWidget(m_stack);
    m_usersWidget = new UsersWidget(m_model, m_stack);
    m_usersWidget->setObjectName(QStringLiteral("UsersWidget"));
    m_masksWidget = new MasksWidget(m_model, m_stack);
    m_masksWidget->setObjectName(QStringLiteral("MasksWidget"));
    m_stack->addWidget(m_usersWidget);
    m_stack->addWidget(m_masksWidget);
    m_stack->setCurrentWidget(m_usersWidget);
    // Room for the games' columns and the whole legend, as far as the screen
    // allows; the height the screen leaves beside a title bar and a panel,
    // since the legend's rows need all a short screen has.
    QSize initial = sizeHint().expandedTo(QSize(1180, 640));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        initial = initial.boundedTo(QSize(available.width() * 9 / 10, available.height() - 40));
    }
    resize(initial);

    connect(m_usersWidget, &UsersWidget::join, this, &UsersDialog::join);
    connect(m_usersWidget, &UsersWidget::watch, this, &UsersDialog::watch);
    connect(m_usersWidget, &UsersWidget::kick, this, &UsersDialog::kick);
    connect(m_usersWidget, &UsersWidget::newGame, this, &UsersDialog::newGame);
    connect(m_usersWidget, &UsersWidget::playAgainstRobots, this, &UsersDialog::playAgainstRobots);
    connect(m_usersWidget, &UsersWidget::edit, this, &UsersDialog::switchDisplay);
    connect(m_masksWidget, &MasksWidget::users, this, &UsersDialog::switchDisplay);
    connect(m_masksWidget, &MasksWidget::addMask, this, &UsersDialog::addMask);
    connect(m_masksWidget, &MasksWidget::removeMask, this, &UsersDialog::removeMask);
    connect(m_masksWidget, &MasksWidget::isFriend, this, &UsersDialog::makeFriend);
    connect(m_masksWidget, &MasksWidget::isEnemy, this, &UsersDialog::makeEnemy);
}

void UsersDialog::switchDisplay()
{
    m_stack->setCurrentWidget(m_stack->currentWidget() == m_usersWidget
                                  ? static_cast<QWidget*>(m_masksWidget)
                                  : m_usersWidget);
}

void UsersDialog::updateButtons()
{
    m_usersWidget->updateButtons();
}

void UsersDialog::makeFriend(const QString& nickname, bool value)
{
    if (!m_model->findUser(nickname))
        return;
    m_model->setFriend(nickname, value);
    emit isFriend(nickname, value);
}

void UsersDialog::makeEnemy(const QString& nickname, bool value)
{
    if (!m_model->findUser(nickname))
        return;
    m_model->setEnemy(nickname, value);
    emit isEnemy(nickname, value);
}
