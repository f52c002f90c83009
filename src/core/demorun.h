#pragma once

#include <QObject>

class RobotGameHost;
class Tarvenix;

// A first impression without a hand on the mouse: the main window logs in
// with the demo account (registering it on the first run) and watches robots
// play a whole game on World, which a windowless second login, the host,
// opens for it and leaves to a robot once it runs. The window goes through
// the forms and requests a user's gestures make, so it shows what it would
// show him.
class DemoRun : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* Nickname = "demo";
    static constexpr const char* HostNickname = "demo-host";

    enum class Stage { Idle, Registering, LoggingIn, Waiting, Watching, Over, Failed };
    Q_ENUM(Stage)

    explicit DemoRun(Tarvenix* window, QObject* parent = nullptr);

    Stage stage() const { return m_stage; }
    int gameId() const { return m_gameId; }

public slots:
    void start();

signals:
    void stageChanged(DemoRun::Stage stage);

private:
    void setStage(Stage stage);
    void loginFailed(int reason);
    // Watches the host's game once both the window's login and the game are
    // there.
    void advance();

    Tarvenix* m_window;
    RobotGameHost* m_host;
    Stage m_stage = Stage::Idle;
    int m_gameId = 0;
};
