#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>

class ChatView;
class Connection;
class LoginDialog;
class Parser;
class Question;
class QStackedWidget;
class QTimer;
class QToolBar;
class RegisterDialog;
class ScriptHost;
class Sender;

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

    // The pages of the widget stack under the board, in their fixed order.
    enum StackPage { EditorPage = 0, CardsPage = 1, MovePage = 2 };

    explicit Tarvenix(QWidget* parent = nullptr);
    ~Tarvenix() override;

    static QString defaultHost();

    void setServer(const QString& host, quint16 port);
    QString serverHost() const { return m_serverHost; }
    quint16 serverPort() const { return m_serverPort; }
    // How long to wait for the server's greeting after connecting.
    void setGreetingTimeout(int milliseconds);

    ChatView* output() const { return m_output; }
    QStackedWidget* stack() const { return m_stack; }
    LoginDialog* loginDialog() const { return m_loginDialog; }
    RegisterDialog* registerDialog() const { return m_registerDialog; }
    Question* leaveDialog() const { return m_leaveDialog; }
    Question* logoutDialog() const { return m_logoutDialog; }
    Connection* connection() const { return m_connection; }
    Parser* parser() const { return m_parser; }
    Sender* sender() const { return m_sender; }
    ScriptHost* scriptHost() const { return m_scripts; }
    bool isRegistering() const { return m_registering; }

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

    void actionLogin();
    void actionStartRegister();
    void actionCancelRegister();
    void actionRegister();
    void actionLogout();

    void parseStart();
    void parseSuccess(const QString& nickname);
    void parseFailure(int reason);
    void parseUpgrade();
    void parseClosed();
    void parseUnknownOpcode(int opcode);
    void parseRobotError(const QString& first, const QString& second);
    void parseWarning(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createBoard();
    void createWindows();
    void createProtocol();
    void createScriptHost();

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
    ChatView* m_output = nullptr;
    QStackedWidget* m_stack = nullptr;
    std::array<QWidget*, 3> m_pages{};

    LoginDialog* m_loginDialog = nullptr;
    RegisterDialog* m_registerDialog = nullptr;
    Question* m_leaveDialog = nullptr;
    Question* m_logoutDialog = nullptr;

    Connection* m_connection = nullptr;
    QTimer* m_greetingTimer = nullptr;
    Parser* m_parser = nullptr;
    Sender* m_sender = nullptr;
    ScriptHost* m_scripts = nullptr;

    QString m_serverHost;
    quint16 m_serverPort = DefaultPort;
    bool m_registering = false;
};
