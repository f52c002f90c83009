#pragma once

#include "gamechronicle.h"
#include "marqueerotation.h"
#include "robotgameplan.h"
#include "turnalert.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class AlertSound;
class BoardPanel;
class ButtonBar;
class Cards;
class ChatDialog;
class ChatView;
class ConfigDialog;
class DesktopNotifier;
class FavouritesDialog;
class FirstExposure;
class GameOverPanel;
class GameRecord;
class HelpDialog;
class QLabel;
class LobbyModel;
class NewGameDialog;
class RobotDialog;
class RobotRoster;
class UsersDialog;
class Connection;
class LoginDialog;
class Map;
class MapModel;
class MapSlots;
class SeatColors;
class SeatTable;
class MapDocument;
class MapEditor;
class MapStoreWatch;
class Move;
class Parser;
class PlayerList;
class Question;
class QStackedWidget;
class QTimer;
class QToolBar;
class RegisterDialog;
class ScriptHost;
class Sender;
struct TurnStep;

// The main window: it owns every part of the client, wires them together, keeps
// the one connection to the game server and returns the client to its
// logged-out look when the login or the connection ends. Its handlers are
// grouped by concern into tarvenix*.cpp files.
class Tarvenix : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 8822;
    static constexpr int GreetingTimeout = 20000;
    static constexpr int MarqueeInterval = 5000;

    // The pages of the widget stack under the board, in their fixed order.
    enum StackPage { EditorPage = 0, CardsPage = 1, MovePage = 2 };

    // How much of the window the constructor builds. Complete: everything.
    // LoginFirst: only what shows at the login (the board, the output, the
    // bars, the login dialog); the rest, the configuration window and the
    // panels over the board among it, with every connection to the
    // server's messages and the scripts, is built by completeBuild(), which
    // start() schedules for the moment the login dialog is on screen. Until
    // then the accessors of the parts not yet built return null.
    enum class Build { Complete, LoginFirst };
    // The longest the rest of a LoginFirst window waits for the login dialog
    // to reach the screen.
    static constexpr int MaxBuildDelay = 1000;

    explicit Tarvenix(QWidget* parent = nullptr, Build build = Build::Complete);
    ~Tarvenix() override;

    static QString defaultHost();

    // Builds what a LoginFirst window left out; does nothing the second time.
    void completeBuild();
    bool isBuilt() const { return m_built; }

    void setServer(const QString& host, quint16 port);
    QString serverHost() const { return m_serverHost; }
    quint16 serverPort() const { return m_serverPort; }
    // How long to wait for the server's greeting after connecting.
    void setGreetingTimeout(int milliseconds);
    // Wall-clock seconds for the marquee rotation; tests put in their own.
    void setMarqueeClock(MarqueeRotation::Clock clock);

    ChatView* output() const { return m_output; }
    QStackedWidget* stack() const { return m_stack; }
    LoginDialog* loginDialog() const { return m_loginDialog; }
    RegisterDialog* registerDialog() const { return m_registerDialog; }
    ConfigDialog* configDialog() const { return m_configDialog; }
    Question* leaveDialog() const { return m_leaveDialog; }
    Question* logoutDialog() const { return m_logoutDialog; }
    Connection* connection() const { return m_connection; }
    Parser* parser() const { return m_parser; }
    Sender* sender() const { return m_sender; }
    Map* map() const { return m_map; }
    PlayerList* playerList() const { return m_playerList; }
    // The state the board and the player list show.
    MapModel* mapModel() const { return m_mapModel.get(); }
    SeatTable* seats() const { return m_seats.get(); }
    SeatColors* seatColors() const { return m_seatColors.get(); }
    Cards* cards() const { return m_cards; }
    Move* movePanel() const { return m_move; }
    ScriptHost* scriptHost() const { return m_scripts; }
    ButtonBar* buttonBar() const { return m_buttonBar; }
    UsersDialog* usersDialog() const { return m_usersDialog; }
    LobbyModel* lobby() const { return m_lobby; }
    NewGameDialog* newGameDialog() const { return m_newGameDialog; }
    RobotDialog* robotDialog() const { return m_robotDialog; }
    // The map slots the new-game and favourites dialogs show.
    const MapSlots* mapSlots() const { return m_mapSlots.get(); }
    // The robots the server offers, which the robot dialog shows.
    const RobotRoster* robots() const { return m_robots.get(); }
    FavouritesDialog* favouritesDialog() const { return m_favouritesDialog; }
    ChatDialog* chatDialog() const { return m_chatDialog; }
    MapEditor* mapEditor() const { return m_editor; }
    MapStoreWatch* storeWatch() const { return m_storeWatch; }
    HelpDialog* helpDialog() const { return m_helpDialog; }
    // The line under the button bar: what a click on the board does now,
    // why the last one did nothing, or why Start and Robot are off.
    QLabel* statusLine() const { return m_statusLine; }
    const RobotGamePlan& robotPlan() const { return m_robotPlan; }
    // The hint that leads into a game, for the output and the empty board.
    static QString wayInHint();
    bool isRegistering() const { return m_registering; }
    GameChronicle* chronicle() const { return m_chronicle.get(); }
    GameOverPanel* gameOverPanel() const { return m_gameOver; }
    // The notice that tells the local player he is out of the game.
    BoardPanel* outNotice() const { return m_outNotice; }
    // The board still shows a game the player is no longer in.
    bool keepsFinishedBoard() const { return m_boardKept; }

    // Where the desktop notifications go; tests put in their own.
    void setNotifier(std::unique_ptr<DesktopNotifier> notifier);
    // The file that keeps the notification switches, read at once.
    void setAlertFile(const QString& fileName);
    const AlertSwitches& alertSwitches() const { return m_alertSwitches; }

    // The page of the stack at that place, or null while it has none.
    QWidget* stackPage(StackPage page) const { return m_pages[page]; }

    // Runs the script handlers hooked to the event.
    void raiseEvent(const QString& eventName, const QStringList& arguments = {});

public slots:
    void start();
    void reset(bool dropConnection);
    void disconnected();
    void initActions();
    void initParser();
    void initEditor();

    void actionLogin();
    void actionStartRegister();
    void actionCancelRegister();
    void actionRegister();
    // Cancel in the login or registration dialog while connecting.
    void actionCancelConnect();
    void actionLogout();
    // Ctrl+Q: ends the program, after the logout question when logged in.
    void actionQuit();
    void actionConfig();
    void actionMarqueeTimer();
    void actionNewColor(int seat);

    // The map editor (tarvenixeditor.cpp).
    void showEditor();
    void editorPaintBorders();
    void editorEraseBorders();

    void parseStart();
    void parseSuccess(const QString& nickname);
    void parseFailure(int reason);
    void parseUpgrade();
    void parseClosed();
    void parseUnknownOpcode(int opcode);
    void parseRobotError(const QString& first, const QString& second);
    void parseWarning(const QString& text);

    // The map transfer and the country updates (tarvenixmap.cpp).
    void parseStartMap(int id, const QString& name, const QString& picture, const char* index,
                       int length);
    void parseContinentMap(int number, const QString& name, int value);
    void parseCountryMap(int number, const QString& name, int continent, int textX, int textY,
                         int areaX, int areaY, int areaWidth, int areaHeight);
    void parseNeighbourMap(int country, int neighbour);
    void parseLineMap(int x1, int y1, int x2, int y2);
    void parseEndMap();
    void parseCountry(int country, int owner, int armies);

    void parseNewUser(const QString& nickname, const QString& host);
    void parseUser(const QString& nickname, int rating, int games, int playing, int watching,
                   bool member, const QString& smilie, bool admin, int level);
    void parseEndUser(const QString& nickname);
    void parseNewGame(int id, int mapId, const QString& mapName, const QString& mapAuthor,
                      bool placeBeforeAttack, bool capitals, int timeout, bool sameHosts,
                      bool replaceBots, bool increasingCards, bool hideCards, bool noWhispering,
                      bool blind, int minHumans, int minRating, int maxRating, bool gifts,
                      bool getCards, int timerMode, bool sameLevel, bool noBots);
    void parseGame(int id, const QString& op, bool running, int clients, int players, int robots,
                   int disconnected);
    void parseEndGame(int id);
    void parseGlobalChat(const QString& nickname, const QString& text);
    void parseGameChat(const QString& nickname, const QString& text);
    void parseMembersChat(const QString& nickname, const QString& text);
    void parseWhisper(const QString& nickname, const QString& text);
    void parseMask(const QString& mask, const QString& kind);
    void parseSlot(bool personal, int slot, int mapId, const QString& mapName,
                   const QString& mapAuthor);

    void actionJoin(int id);
    void actionWatch(int id);
    void actionNewGame();
    void actionNewGame(int mapId, bool placeBeforeAttack, bool capitals, int timeout,
                       bool sameHosts, bool replaceBots, bool increasingCards, bool hideCards,
                       bool noWhispering, bool blind, int minHumans, int ratingRange, bool gifts,
                       bool getCards, int timerMode, bool sameLevel, bool noBots);
    void actionPart();
    void actionUsers();
    void actionRobot();
    void actionFavourites();
    void actionUserBecomesFriend(const QString& nickname, bool value);
    void actionUserBecomesEnemy(const QString& nickname, bool value);
    // The "How to play" page (F1).
    void actionHelp();
    // A game against robots in one step (tarvenixhelp.cpp).
    void actionRobotGame(int mapId, int robots, int level);
    void actionPlayAgainstRobots();

    // The chat window and its gestures, which only raise script events
    // (tarvenixchat.cpp).
    void actionChat();
    void actionGlobalChat(const QString& text);
    void actionGameChat(const QString& text);
    void actionMembersChat(const QString& text);
    void actionWhisper(const QString& nickname, const QString& text);
    void actionWhisperClicked(const QString& nickname);
    void actionCloseClicked(const QString& nickname);
    void actionIgnore(const QString& nickname);

    // A running game's messages (tarvenixgame.cpp).
    void parsePlayer(int seat, bool robot, const QString& name);
    void parseReplace(int seat, const QString& robot);
    void parseEndPlayer(int seat);
    void parseInit(int armies);
    void parsePlace(int seat, int armies);
    void parseDecide(int seat);
    void parseMore(int seat);
    void parseAttack(int from, int to, int dice, bool doOrDie);
    void parseDefend();
    void parseDice(int attacker, int attack1, int attack2, int attack3, int defender, int defence1,
                   int defence2);
    void parseTake(int from, int to, int minimum);
    void parseCard(int card);
    void parseCardCount(int seat, int count);
    void parseExchange(int seat);
    void parseExchanged(int seat, int armies);
    void parseEnd();
    void parseWinner(int seat);
    void parseClock(int seconds);

    // The player's turn on the board, the button bar, the move panel and the
    // card hand (tarvenixactions.cpp).
    void actionCapital(int country);
    void actionPlaceArmies(int country, bool all);
    void actionAttack();
    void actionDoOrDie();
    void actionMove();
    void actionMove(int from, int to);
    void actionMoveSlider(int country, int armies);
    void actionMove(int from, int to, int armies);
    void actionTake(int armies);
    void actionCancelMove();
    void actionFinish();
    void actionValidSelection();
    void actionInvalidSelection();
    // Leave on a notice over the board: leaves the game the player is still
    // in, or clears the board of one that is over.
    void actionLeaveGame();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createBoard();
    // Sizes the stack to its current page.
    void fitStack();
    void createWindows();
    // The dialogs that wait for completeBuild() (the configuration window
    // among them) and their reset.
    void createLateWindows();
    void resetLateWindows();
    // The configuration's colours and fonts for the widgets on screen.
    void connectLogin();
    void connectConfig();
    void createProtocol();
    void createScriptHost();
    // Window shortcuts (tarvenixkeys.cpp).
    void createShortcuts();
    // The board and the player list (tarvenixmap.cpp).
    void createMap();
    void connectMap();

    // The line under the button bar, the help page and the hints that lead
    // a newcomer into a game (tarvenixhelp.cpp).
    void createHints();
    void createHelp();
    void connectHelp();
    void updateStatusLine();
    void showClickRefusal(const QString& reason);
    // What the move panel asks while it is open and the board waits for it.
    QString panelHint() const;
    // What a click on the board does now, or what the panel asks.
    QString clickHint() const;
    void setOperatorHints(const GameRecord* game);
    void advanceRobotPlan(const GameRecord* game);
    // Starts the game the robot plan opened and shows its board.
    void startRobotGame();

    void createEditor();
    void editorMapStored(const QString& name, int slot);
    void editorMapNotStored(const QString& name);

    // The lobby's windows, the button bar and their connections
    // (tarvenixlobby.cpp).
    void createLobby();
    void createLobbyDialogs();
    void connectLobbyParser();
    void connectLobbyActions();
    void resetLobby();
    void resetOwnUser();
    // The own user entered a game (game set) or left his game (null).
    void changeGame(const GameRecord* game);
    // Start and Robot for the game's operator; off for anyone else in it.
    void updateOperatorButtons(const GameRecord* game);
    void chatLine(const QString& channel, const QString& nickname, const QString& text);

    // The chat window and the script commands (tarvenixchat.cpp).
    void createChat();
    void connectChatActions();
    void createScriptCommands();
    void resetChat();

    // The card hand and the move panel, and a game's messages and turn
    // actions (tarvenixgame.cpp, tarvenixactions.cpp).
    void createGame();
    // The game-over summary and the notice that the local player is out,
    // over the board; only a game shows them, so they wait for completeBuild().
    void createBoardPanels();
    void connectGameParser();
    void connectGameActions();
    // Forgets the hand, the open move and the board's selection.
    void resetGame();
    void applyTurn(const TurnStep& step);
    void gameLine(int seat, const QString& text);
    // While the move panel is open, takes its choice as if Ok was pressed.
    void confirmMove();
    bool localPlayer(int seat) const;
    void gameLines(const QList<TurnLine>& lines);
    // The local player is out of the game he played: told, idle, watching.
    void localSeatOut(SeatExit how, int by);
    void showGameOver();
    // Forgets the board of a game that is over or left.
    void clearFinishedBoard();

    // Calling the player back when his turn comes (tarvenixalerts.cpp).
    void createAlerts();
    void alertTurn(TurnAlert::Prompt prompt, int armies = 0);
    void setAlertSwitches(bool flash, bool desktop, bool sound);

    void addPage(StackPage page, QWidget* widget);
    void raisePage(StackPage page);
    // Restores a minimised window, or shows and raises it.
    static void bringUp(QWidget* window);
    void addOutput(const QColor& circle, const QColor& text, const QString& line);

    void createConnection();
    // Forgets the connection and closes its socket; safe from inside one of its
    // own signals.
    void dropConnection();
    void connectFailed(const QString& reason);
    void greetingTimedOut();
    void sendLogin();
    void sendRegistration();
    QString serverAddress() const;

    QToolBar* m_bottomBar = nullptr;
    QToolBar* m_hintBar = nullptr;
    QLabel* m_statusLine = nullptr;
    HelpDialog* m_helpDialog = nullptr;
    // Why the last click on the board did nothing, and the mode's hint it
    // belongs to: a new mode or selection makes it stale.
    QString m_refusal;
    QString m_refusalHint;
    QString m_operatorLine;
    RobotGamePlan m_robotPlan;
    ChatView* m_output = nullptr;
    QStackedWidget* m_stack = nullptr;
    // The models outlive the widgets that show them: the destructor deletes
    // those widgets first.
    std::unique_ptr<MapModel> m_mapModel;
    std::unique_ptr<SeatTable> m_seats;
    std::unique_ptr<SeatColors> m_seatColors;
    Map* m_map = nullptr;
    PlayerList* m_playerList = nullptr;
    Cards* m_cards = nullptr;
    Move* m_move = nullptr;
    std::array<QWidget*, 3> m_pages{};
    MapEditor* m_editor = nullptr;
    MapDocument* m_mapDocument = nullptr;
    MapStoreWatch* m_storeWatch = nullptr;

    LoginDialog* m_loginDialog = nullptr;
    RegisterDialog* m_registerDialog = nullptr;
    ConfigDialog* m_configDialog = nullptr;
    Question* m_leaveDialog = nullptr;
    Question* m_logoutDialog = nullptr;

    Connection* m_connection = nullptr;
    QPointer<QTimer> m_marqueeTimer;
    MarqueeRotation m_marqueeRotation;
    QTimer* m_greetingTimer = nullptr;
    Parser* m_parser = nullptr;
    Sender* m_sender = nullptr;
    ScriptHost* m_scripts = nullptr;

    ButtonBar* m_buttonBar = nullptr;
    // Top-level without a parent: deleted by the destructor.
    LobbyModel* m_lobby = nullptr;
    UsersDialog* m_usersDialog = nullptr;
    std::unique_ptr<MapSlots> m_mapSlots;
    NewGameDialog* m_newGameDialog = nullptr;
    std::unique_ptr<RobotRoster> m_robots;
    RobotDialog* m_robotDialog = nullptr;
    FavouritesDialog* m_favouritesDialog = nullptr;
    // Top-level without a parent: deleted by the destructor.
    ChatDialog* m_chatDialog = nullptr;

    std::unique_ptr<GameChronicle> m_chronicle;
    GameOverPanel* m_gameOver = nullptr;
    BoardPanel* m_outNotice = nullptr;
    // The player asked to leave his game: the board goes with it.
    bool m_partRequested = false;
    bool m_boardKept = false;
    // The local player lost his seat in the running game and watches on.
    bool m_seatLost = false;

    TurnAlert m_turnAlert;
    AlertSwitches m_alertSwitches;
    QString m_alertFile;
    std::unique_ptr<DesktopNotifier> m_notifier;
    AlertSound* m_sound = nullptr;

    QString m_serverHost;
    quint16 m_serverPort = DefaultPort;
    bool m_registering = false;
    // Everything is built (see Build).
    bool m_built = false;
    FirstExposure* m_loginShown = nullptr;
    // The logout question was asked by Ctrl+Q: Yes ends the program too.
    bool m_quitAfterLogout = false;
    // Between the server's welcome and the end of the session.
    bool m_loggedIn = false;
};
