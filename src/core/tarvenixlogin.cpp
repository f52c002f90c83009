// The login, the connection to the server and the server's own announcements.

#include "tarvenix.h"

#include "buttonbar.h"
#include "chatview.h"
#include "configdialog.h"
#include "connection.h"
#include "corelogging.h"
#include "favouritesdialog.h"
#include "firstexposure.h"
#include "helpdialog.h"
#include "lobbymodel.h"
#include "logindialog.h"
#include "map.h"
#include "mapstorewatch.h"
#include "newgamedialog.h"
#include "parser.h"
#include "playerlist.h"
#include "question.h"
#include "registerdialog.h"
#include "robotdialog.h"
#include "sender.h"
#include "usersdialog.h"

#include <QStackedWidget>
#include <QTimer>

void Tarvenix::start()
{
    if (m_connection)
        return;
    reset(false);
    m_loginDialog->clearStatus();
    bringUp(m_loginDialog);
    // The rest of the window once the dialog is on screen.
    if (!m_built && !m_loginShown)
        m_loginShown = new FirstExposure(
            m_loginDialog, [this] { completeBuild(); }, this);
}

void Tarvenix::reset(bool drop)
{
    if (drop && m_connection)
        dropConnection();
    m_loginDialog->hide();
    m_quitAfterLogout = false;
    m_loggedIn = false;
    if (m_built)
        resetLateWindows();
    m_map->showEmpty();
    m_map->setEmptyHint(QString());
    m_robotPlan.cancel();
    m_buttonBar->stopTimer();
    m_boardKept = false;
    m_partRequested = false;
    clearFinishedBoard();
    resetLobby();
    m_seats->clear();
    resetGame();
    raisePage(CardsPage);
}

void Tarvenix::resetLateWindows()
{
    m_configDialog->hide();
    m_registerDialog->hide();
    m_logoutDialog->hide();
    m_leaveDialog->hide();
    m_helpDialog->hide();
    resetChat();
    m_usersDialog->hide();
    m_robotDialog->hide();
    m_favouritesDialog->hide();
    m_newGameDialog->reset();
    m_robotDialog->reset();
    m_storeWatch->clear();
}

void Tarvenix::disconnected()
{
    const QString lost = tr("The connection with the server has been lost");
    addOutput(Qt::red, Qt::black, lost);
    // A closed connection is never reused: drop it, so the next Login starts a
    // new one, and offer that login at once.
    dropConnection();
    start();
    m_loginDialog->showFailure(lost);
}

void Tarvenix::actionLogin()
{
    m_registering = false;
    if (m_connection) {
        m_loginDialog->clearStatus();
        sendLogin();
    } else {
        createConnection();
    }
}

void Tarvenix::actionRegister()
{
    m_registering = true;
    if (m_connection) {
        m_registerDialog->clearStatus();
        sendRegistration();
    } else {
        createConnection();
    }
}

void Tarvenix::actionCancelConnect()
{
    if (!m_connection)
        return;
    addOutput(Qt::lightGray, Qt::black, tr("Stopped connecting to %1").arg(serverAddress()));
    dropConnection();
    m_loginDialog->clearStatus();
    m_registerDialog->clearStatus();
}

void Tarvenix::actionStartRegister()
{
    // A click that came before the rest of the window was built.
    completeBuild();
    m_loginDialog->hide();
    bringUp(m_registerDialog);
}

void Tarvenix::actionCancelRegister()
{
    m_registerDialog->hide();
    bringUp(m_loginDialog);
}

void Tarvenix::actionLogout()
{
    const bool quit = m_quitAfterLogout;
    m_quitAfterLogout = false;
    reset(true);
    if (quit)
        close();
    else
        start();
}

void Tarvenix::actionConfig()
{
    bringUp(m_configDialog);
}

void Tarvenix::createConnection()
{
    // The parser and the windows the server's messages reach must exist
    // before the first byte arrives, however quickly the login came.
    completeBuild();
    auto* connection = new Connection(this);
    connection->setObjectName(QStringLiteral("Connection"));
    m_connection = connection;
    connect(connection, &Connection::message, m_parser, &Parser::parse);
    connect(connection, &Connection::disconnected, this, &Tarvenix::disconnected);
    connect(connection, &Connection::connectFailed, this, &Tarvenix::connectFailed);
    connect(m_sender, &Sender::send, connection, &Connection::send);
    m_greetingTimer->start();
    addOutput(Qt::lightGray, Qt::black, tr("Connecting to %1...").arg(serverAddress()));
    // The form stays in sight with the attempt and its Cancel until the
    // server greets.
    if (m_registering) {
        m_registerDialog->showConnecting(serverAddress());
        bringUp(m_registerDialog);
    } else {
        m_loginDialog->showConnecting(serverAddress());
        bringUp(m_loginDialog);
    }
    // A lookup that fails at once reports inside start() and drops the
    // connection there.
    connection->start(m_serverHost, m_serverPort);
}

void Tarvenix::dropConnection()
{
    m_greetingTimer->stop();
    Connection* connection = m_connection;
    m_connection = nullptr;
    if (!connection)
        return;
    connection->disconnect(this);
    connection->disconnect(m_parser);
    m_sender->disconnect(connection);
    connection->lost();
    connection->deleteLater();
}

QString Tarvenix::serverAddress() const
{
    if (m_serverHost.contains(QLatin1Char(':')))
        return QStringLiteral("[%1]:%2").arg(m_serverHost).arg(m_serverPort);
    return QStringLiteral("%1:%2").arg(m_serverHost).arg(m_serverPort);
}

void Tarvenix::connectFailed(const QString& reason)
{
    const QString failure = tr("Could not connect to %1: %2").arg(serverAddress(), reason);
    addOutput(Qt::red, Qt::red, failure);
    const bool registering = m_registering;
    dropConnection();
    reset(false);
    // Back to the form the user came from, with everything still filled in.
    if (registering) {
        m_registerDialog->showFailure(failure);
        bringUp(m_registerDialog);
    } else {
        m_loginDialog->showFailure(failure);
        bringUp(m_loginDialog);
    }
}

void Tarvenix::greetingTimedOut()
{
    qCDebug(lcCore) << "no greeting from" << serverAddress() << "within"
                    << m_greetingTimer->interval() << "ms";
    connectFailed(tr("the server did not answer"));
}

void Tarvenix::sendLogin()
{
    m_sender->login(m_loginDialog->nickname().toLatin1().constData(),
                    m_loginDialog->password().toLatin1().constData());
}

void Tarvenix::sendRegistration()
{
    const RegisterDialog* d = m_registerDialog;
    m_sender->regist(d->nickname().toLatin1().constData(), d->password().toLatin1().constData(),
                     d->lastName().toLatin1().constData(), d->firstName().toLatin1().constData(),
                     d->address().toLatin1().constData(), d->zipcode().toLatin1().constData(),
                     d->city().toLatin1().constData(), d->state().toLatin1().constData(),
                     d->country().toLatin1().constData(), d->email().toLatin1().constData());
}

void Tarvenix::parseStart()
{
    m_greetingTimer->stop();
    if (m_registering) {
        m_registerDialog->clearStatus();
        m_registerDialog->hide();
        sendRegistration();
    } else {
        m_loginDialog->clearStatus();
        m_loginDialog->hide();
        sendLogin();
    }
}

void Tarvenix::parseSuccess(const QString& nickname)
{
    m_loginDialog->setNickname(nickname);
    // Even the same nickname is taken as this user again only once the
    // server announces him.
    resetOwnUser();
    m_loggedIn = true;
    addOutput(Qt::lightGray, Qt::black, tr("Welcome %1").arg(nickname));
    addOutput(Qt::lightGray, Qt::black, wayInHint());
    m_map->setEmptyHint(wayInHint());
    showEditor();
}

void Tarvenix::parseFailure(int reason)
{
    reset(false);
    const LoginFailure failure = LoginFailure::forCode(reason);
    addOutput(Qt::red, Qt::red, failure.text);
    // A refused registration goes back to its form whatever the reason, with
    // the reason in words beside the fields the user typed.
    if (m_registering) {
        const bool nickname = reason == 0 || failure.registration;
        m_registerDialog->showRefusal(
            reason == 0 ? tr("Registration failed: invalid nickname") : failure.text, nickname);
        bringUp(m_registerDialog);
    } else if (failure.registration) {
        m_registerDialog->showRefusal(failure.text, true);
        bringUp(m_registerDialog);
    } else {
        m_loginDialog->showFailure(failure.text);
        bringUp(m_loginDialog);
    }
}

void Tarvenix::parseUpgrade()
{
    addOutput(Qt::red, Qt::black, tr("This program is out of date"));
    addOutput(Qt::red, Qt::black,
              tr("Please visit www.tarvenix.example and download the latest version"));
}

void Tarvenix::parseClosed()
{
    // The lost connection that follows offers a new login at once: there is
    // no need to restart the program.
    addOutput(Qt::lightGray, Qt::red, tr("The server is closing down..."));
}

void Tarvenix::parseUnknownOpcode(int opcode)
{
    addOutput(Qt::red, Qt::black, tr("Unknown opcode: %1").arg(opcode));
}

void Tarvenix::parseRobotError(const QString& first, const QString& second)
{
    addOutput(Qt::red, Qt::red, tr("Robot error: %1: %2").arg(first, second));
    // A game against robots starts with those that came.
    if (m_robotPlan.robotRefused(m_lobby->myGame()) == RobotGamePlan::Step::Start)
        startRobotGame();
}

void Tarvenix::parseWarning(const QString& text)
{
    addOutput(Qt::red, Qt::red, text);
}
