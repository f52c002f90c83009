// The login, the connection to the server and the server's own announcements.

#include "tarvenix.h"

#include "chatview.h"
#include "configdialog.h"
#include "connection.h"
#include "corelogging.h"
#include "lobbymodel.h"
#include "logindialog.h"
#include "mapstorewatch.h"
#include "parser.h"
#include "playerlist.h"
#include "question.h"
#include "registerdialog.h"
#include "sender.h"

#include <QStackedWidget>
#include <QTimer>

void Tarvenix::start()
{
    if (m_connection)
        return;
    reset(false);
    bringUp(m_loginDialog);
}

void Tarvenix::reset(bool drop)
{
    if (drop && m_connection)
        dropConnection();
    m_loginDialog->hide();
    m_registerDialog->hide();
    m_configDialog->hide();
    m_logoutDialog->hide();
    m_leaveDialog->hide();
    resetChat();
    resetLobby();
    m_seats->clear();
    m_storeWatch->clear();
    resetGame();
    raisePage(CardsPage);
}

void Tarvenix::disconnected()
{
    addOutput(Qt::red, Qt::black, tr("The connection with the server has been lost"));
    // A closed connection is never reused: drop it, so the next Login starts a
    // new one, and offer that login at once.
    dropConnection();
    start();
}

void Tarvenix::actionLogin()
{
    m_registering = false;
    if (m_connection)
        sendLogin();
    else
        createConnection();
}

void Tarvenix::actionRegister()
{
    m_registering = true;
    if (m_connection)
        sendRegistration();
    else
        createConnection();
}

void Tarvenix::actionStartRegister()
{
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
    reset(true);
    start();
}

void Tarvenix::actionConfig()
{
    bringUp(m_configDialog);
}

void Tarvenix::createConnection()
{
    auto* connection = new Connection(this);
    connection->setObjectName(QStringLiteral("Connection"));
    m_connection = connection;
    connect(connection, &Connection::message, m_parser, &Parser::parse);
    connect(connection, &Connection::disconnected, this, &Tarvenix::disconnected);
    connect(connection, &Connection::connectFailed, this, &Tarvenix::connectFailed);
    connect(m_sender, &Sender::send, connection, &Connection::send);
    m_greetingTimer->start();
    addOutput(Qt::lightGray, Qt::black, tr("Connecting to %1...").arg(serverAddress()));
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
    addOutput(Qt::red, Qt::red, tr("Could not connect to %1: %2").arg(serverAddress(), reason));
    const bool registering = m_registering;
    dropConnection();
    reset(false);
    // Back to the form the user came from, with everything still filled in.
    bringUp(registering ? static_cast<QWidget*>(m_registerDialog)
                        : static_cast<QWidget*>(m_loginDialog));
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
    if (m_registering)
        sendRegistration();
    else
        sendLogin();
}

void Tarvenix::parseSuccess(const QString& nickname)
{
    m_loginDialog->setNickname(nickname);
    // Even the same nickname is taken as this user again only once the
    // server announces him.
    resetOwnUser();
    addOutput(Qt::lightGray, Qt::black, tr("Welcome %1").arg(nickname));
    showEditor();
}

void Tarvenix::parseFailure(int reason)
{
    reset(false);
    const LoginFailure failure = LoginFailure::forCode(reason);
    addOutput(Qt::red, Qt::red, failure.text);
    bringUp(failure.registration ? static_cast<QWidget*>(m_registerDialog)
                                 : static_cast<QWidget*>(m_loginDialog));
}

void Tarvenix::parseUpgrade()
{
    addOutput(Qt::red, Qt::black, tr("This program is out of date"));
    addOutput(Qt::red, Qt::black,
              tr("Please visit www.tarvenix.example and download the latest version"));
}

void Tarvenix::parseClosed()
{
    addOutput(Qt::lightGray, Qt::red, tr("The server is closing down..."));
    addOutput(Qt::lightGray, Qt::darkGreen, tr("Please restart the application!"));
}

void Tarvenix::parseUnknownOpcode(int opcode)
{
    addOutput(Qt::red, Qt::black, tr("Unknown opcode: %1").arg(opcode));
}

void Tarvenix::parseRobotError(const QString& first, const QString& second)
{
    addOutput(Qt::red, Qt::red, tr("Robot error: %1: %2").arg(first, second));
}

void Tarvenix::parseWarning(const QString& text)
{
    addOutput(Qt::red, Qt::red, text);
}
