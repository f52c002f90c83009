#include "tarvenix.h"

#include "buttonbar.h"
#include "chatdialog.h"
#include "chatview.h"
#include "colorconfig.h"
#include "configdialog.h"
#include "connection.h"
#include "datadirectories.h"
#include "desktopnotifier.h"
#include "favouritesdialog.h"
#include "firstexposure.h"
#include "fontsconfig.h"
#include "helpdialog.h"
#include "lobbymodel.h"
#include "logindialog.h"
#include "map.h"
#include "newgamedialog.h"
#include "parser.h"
#include "playerlist.h"
#include "question.h"
#include "registerdialog.h"
#include "robotdialog.h"
#include "scripthost.h"
#include "seatcolors.h"
#include "sender.h"
#include "usersdialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

Tarvenix::Tarvenix(QWidget* parent, Build build)
    : QMainWindow(parent, Qt::Window), m_serverHost(defaultHost())
{
    setWindowIcon(QIcon(DataDirectories::resolve(QStringLiteral("WinIcons/Bomb.png"))));
    setWindowTitle(tr("QtTarvenixGame -- Game"));
    setWindowIconText(windowTitle());

    createBoard();
    createWindows();
    createLobby();
    // The login's nickname, as typed and then as the server spells it.
    m_lobby->setOwnNickname(m_loginDialog->nickname());
    connect(m_loginDialog, &LoginDialog::nicknameChanged, m_lobby, &LobbyModel::setOwnNickname);
    createHints();
    createProtocol();
    connectLogin();
    for (int seat = 0; seat < Map::Seats; ++seat)
        actionNewColor(seat);

    // Open at a size that shows a whole board but still fits a small screen.
    QSize initial(1024, 800);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        initial = initial.boundedTo(screen->availableSize() * 0.9);
    resize(initial);

    if (build == Build::Complete) {
        completeBuild();
        return;
    }
    // The output's font before its first picture: its width depends on it.
    // The configuration window that announces it comes with the rest.
    m_output->changeFont(FontsConfig::startupFont(FontsConfig::GameOutput));
    // Should the login dialog never reach the screen, the rest comes anyway.
    QTimer::singleShot(MaxBuildDelay, this, &Tarvenix::completeBuild);
}

void Tarvenix::completeBuild()
{
    if (m_built)
        return;
    m_built = true;
    delete m_loginShown;
    m_loginShown = nullptr;

    createEditor();
    createBoardPanels();
    createLateWindows();
    createChat();
    createLobbyDialogs();
    createHelp();
    initParser();
    initActions();
    initEditor();
    createShortcuts();
    connectHelp();
    createScriptHost();
    createAlerts();
    m_configDialog->fireFonts();

    m_registering = false;
    m_marqueeTimer->start(MarqueeInterval);
    resetLateWindows();
}

Tarvenix::~Tarvenix()
{
    // Scripts go first: their handlers may still refer to the windows.
    delete m_scripts;
    m_scripts = nullptr;
    delete m_usersDialog;
    m_usersDialog = nullptr;
    delete m_chatDialog;
    m_chatDialog = nullptr;
    if (m_connection)
        m_connection->disconnect(this);
    // The widgets that show models the members hold go first.
    delete m_map;
    delete m_playerList;
    delete m_robotDialog;
    delete m_newGameDialog;
    delete m_favouritesDialog;
}

QString Tarvenix::defaultHost()
{
    return QStringLiteral("127.0.0.1");
}

void Tarvenix::setServer(const QString& host, quint16 port)
{
    m_serverHost = host;
    m_serverPort = port;
}

void Tarvenix::setGreetingTimeout(int milliseconds)
{
    m_greetingTimer->setInterval(milliseconds);
}

void Tarvenix::setMarqueeClock(MarqueeRotation::Clock clock)
{
    m_marqueeRotation.setClock(std::move(clock));
}

void Tarvenix::createBoard()
{
    m_bottomBar = new QToolBar(this);
    m_bottomBar->setObjectName(QStringLiteral("BottomBar"));
    m_bottomBar->setWindowTitle(tr("Game output"));
    m_bottomBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    m_bottomBar->setMovable(false);
    addToolBar(Qt::BottomToolBarArea, m_bottomBar);

    m_output = new ChatView(m_bottomBar);
    m_output->setObjectName(QStringLiteral("Output"));
    m_output->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    // However narrow the window, the hand or the editor's steps and the
    // players leave the output room for a readable line.
    m_output->setMinimumColumns(36);
    m_output->setReaderMode(true);
    m_bottomBar->addWidget(m_output);

    m_stack = new QStackedWidget(m_bottomBar);
    m_stack->setObjectName(QStringLiteral("TarvenixStack"));
    m_stack->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    // The stack asks for the width of the page it shows, not of the widest:
    // the map editor's steps need more than the hand on a narrow screen. The
    // game's pages, the hand and the move panel, always count for its
    // height, so the row keeps one height and the board above it stays put
    // while they take turns.
    connect(m_stack, &QStackedWidget::currentChanged, this, &Tarvenix::fitStack);
    m_bottomBar->addWidget(m_stack);
    createMap();
    createGame();
}

void Tarvenix::fitStack()
{
    const int current = m_stack->currentIndex();
    for (int index = 0; index < m_stack->count(); ++index) {
        QWidget* page = m_stack->widget(index);
        const bool shown = index == current;
        const bool gamePage = page == m_pages[CardsPage] || page == m_pages[MovePage];
        page->setSizePolicy(shown ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                            shown || gamePage ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
}

void Tarvenix::addPage(StackPage page, QWidget* widget)
{
    // The stack keeps the pages in their fixed order whoever adds them first.
    const auto before = std::count_if(m_pages.begin(), m_pages.begin() + page,
                                      [](const QWidget* w) { return w != nullptr; });
    m_pages[page] = widget;
    m_stack->insertWidget(int(before), widget);
    // A page added before the current one does not change it.
    fitStack();
}

void Tarvenix::raisePage(StackPage page)
{
    if (QWidget* widget = m_pages[page])
        m_stack->setCurrentWidget(widget);
    // The status line follows what the panel asks for.
    if (m_statusLine)
        updateStatusLine();
}

void Tarvenix::createWindows()
{
    m_loginDialog = new LoginDialog(this, QStringLiteral("LoginDialog"));
}

void Tarvenix::createLateWindows()
{
    m_configDialog = new ConfigDialog(this, QStringLiteral("ConfigDialog"));
    connectConfig();
    m_registerDialog = new RegisterDialog(this, QStringLiteral("RegisterDialog"));
    m_leaveDialog =
        new Question(tr("Leave the game"), tr("Do you really want to leave your current game?"),
                     this, QStringLiteral("LeaveDialog"));
    m_logoutDialog = new Question(tr("Logout"), tr("Do you really want to log out?"), this,
                                  QStringLiteral("LogoutDialog"));
}

void Tarvenix::createProtocol()
{
    m_parser = new Parser(this);
    m_parser->setObjectName(QStringLiteral("Parser"));
    m_sender = new Sender(this);
    m_sender->setObjectName(QStringLiteral("Sender"));

    m_marqueeTimer = new QTimer(this);

    m_greetingTimer = new QTimer(this);
    m_greetingTimer->setObjectName(QStringLiteral("GreetingTimer"));
    m_greetingTimer->setSingleShot(true);
    m_greetingTimer->setInterval(GreetingTimeout);
    connect(m_greetingTimer, &QTimer::timeout, this, &Tarvenix::greetingTimedOut);
}

// Every server message the main window handles goes to the slot of the same
// name with "parse" in front; a few go straight to the component concerned.
void Tarvenix::initParser()
{
    Parser* p = m_parser;
    connect(p, &Parser::start, this, &Tarvenix::parseStart);
    connect(p, &Parser::success, this, &Tarvenix::parseSuccess);
    connect(p, &Parser::failure, this, &Tarvenix::parseFailure);
    connect(p, &Parser::upgrade, this, &Tarvenix::parseUpgrade);
    connect(p, &Parser::ping, m_sender, &Sender::ping);
    connect(p, &Parser::closed, this, &Tarvenix::parseClosed);
    connect(p, &Parser::robotError, this, &Tarvenix::parseRobotError);
    connect(p, &Parser::unknownOpcode, this, &Tarvenix::parseUnknownOpcode);
    connect(p, &Parser::warning, this, &Tarvenix::parseWarning);
    connectMap();
    connectGameParser();
    connectLobbyParser();
}

// The user's gestures: each component's signals to the main window's action
// slots or straight to the sender.
void Tarvenix::initActions()
{
    connect(m_registerDialog, &RegisterDialog::doCancel, this, &Tarvenix::actionCancelRegister);
    connect(m_registerDialog, &RegisterDialog::doRegister, this, &Tarvenix::actionRegister);
    connect(m_registerDialog, &RegisterDialog::abortClick, this, &Tarvenix::actionCancelConnect);
    connect(m_leaveDialog, &Question::yes, m_sender, &Sender::part);
    connect(m_leaveDialog, &Question::yes, this, [this] { m_partRequested = true; });
    connect(m_logoutDialog, &Question::yes, this, &Tarvenix::actionLogout);
    connect(m_buttonBar, &ButtonBar::config, this, &Tarvenix::actionConfig);
    connect(m_marqueeTimer, &QTimer::timeout, this, &Tarvenix::actionMarqueeTimer);
    connectLobbyActions();
    connectChatActions();
    connectGameActions();
}

// The login dialog answers from the moment it shows, even while the rest
// of the window is still to be built.
void Tarvenix::connectLogin()
{
    connect(m_loginDialog, &LoginDialog::loginClick, this, &Tarvenix::actionLogin);
    connect(m_loginDialog, &LoginDialog::cancelClick, this, &Tarvenix::close);
    connect(m_loginDialog, &LoginDialog::registerClick, this, &Tarvenix::actionStartRegister);
    connect(m_loginDialog, &LoginDialog::abortClick, this, &Tarvenix::actionCancelConnect);
}

void Tarvenix::connectConfig()
{
    connect(m_configDialog, &ConfigDialog::colorChanged, this, &Tarvenix::actionNewColor);
    connect(m_configDialog, &ConfigDialog::gameOutputFont, m_output, &ChatView::changeFont);
}

void Tarvenix::createScriptHost()
{
    m_scripts = new ScriptHost(this);
    connect(m_scripts, &ScriptHost::outputLine, m_output,
            qOverload<const QColor&, const QColor&, const QString&, bool>(&ChatView::addLine));
    createScriptCommands();
    m_scripts->loadScripts(QStringLiteral("Scripts"));
}

void Tarvenix::raiseEvent(const QString& eventName, const QStringList& arguments)
{
    if (m_scripts)
        m_scripts->raiseEvent(eventName, arguments);
}

void Tarvenix::addOutput(const QColor& circle, const QColor& text, const QString& line)
{
    m_output->addLine(circle, text, line, false);
}

void Tarvenix::bringUp(QWidget* window)
{
    if (window->isMinimized()) {
        window->showNormal();
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void Tarvenix::actionNewColor(int seat)
{
    // The board and the player list both read the one table; until the
    // configuration window is built the seats have its starting scheme.
    if (!m_configDialog) {
        m_seatColors->setText(seat, ColorConfig::defaultTextColor(seat));
        m_seatColors->setBackground(seat, ColorConfig::defaultBackgroundColor(seat));
        return;
    }
    m_seatColors->setText(seat, m_configDialog->textColor(seat));
    m_seatColors->setBackground(seat, m_configDialog->backgroundColor(seat));
}

void Tarvenix::actionMarqueeTimer()
{
    const UserInfo* me = m_lobby->me();
    switch (m_marqueeRotation.tick(m_map->marqueeVisible(), me && me->member)) {
    case MarqueeRotation::Step::Show:
        m_map->showMarquee();
        break;
    case MarqueeRotation::Step::Hide:
        m_map->hideMarquee();
        break;
    case MarqueeRotation::Step::Keep:
        break;
    }
}

void Tarvenix::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_turnAlert.seen();
}

void Tarvenix::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    // Windows without a parent (chat, games and users) would otherwise keep the
    // program running after its main window is gone.
    if (event->isAccepted())
        QCoreApplication::quit();
}
