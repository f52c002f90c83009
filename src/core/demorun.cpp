#include "demorun.h"

#include "lobbymodel.h"
#include "logindialog.h"
#include "parser.h"
#include "protocol.h"
#include "registerdialog.h"
#include "robotgamehost.h"
#include "tarvenix.h"
#include "userinfo.h"

#include <QLineEdit>

namespace {

// Everyone who runs the demo on this server shares the account, so its
// password is no secret.
const QString Password = QStringLiteral("watch-robots");

RobotGameHost::Plan hostPlan()
{
    RobotGameHost::Plan plan;
    plan.nickname = QLatin1String(DemoRun::HostNickname);
    plan.password = Password;
    plan.robots = 3;
    // The window: without a watcher the game ends when the host leaves.
    plan.watchers = 1;
    plan.handOver = RobotGameHost::HandOver::Leave;
    return plan;
}

void fillIn(QWidget* form, const QList<QPair<const char*, QString>>& fields)
{
    for (const auto& [name, text] : fields) {
        if (auto* edit = form->findChild<QLineEdit*>(QLatin1String(name)))
            edit->setText(text);
    }
}

} // namespace

DemoRun::DemoRun(Tarvenix* window, QObject* parent)
    : QObject(parent), m_window(window), m_host(new RobotGameHost(hostPlan(), this))
{
    const Parser* parser = window->parser();
    connect(parser, &Parser::failure, this, &DemoRun::loginFailed);
    connect(parser, &Parser::winner, this, [this] {
        if (m_stage == Stage::Watching)
            setStage(Stage::Over);
    });
    connect(window->lobby(), &LobbyModel::buttonsChanged, this, &DemoRun::advance);
    connect(window->lobby(), &LobbyModel::gameAdded, this, &DemoRun::advance);
    connect(m_host, &RobotGameHost::opened, this, &DemoRun::advance);
    connect(m_host, &RobotGameHost::failed, this, [this] {
        if (m_stage != Stage::Over)
            setStage(Stage::Failed);
    });
}

void DemoRun::setStage(Stage stage)
{
    if (m_stage == stage)
        return;
    m_stage = stage;
    emit stageChanged(stage);
}

void DemoRun::start()
{
    // Registering first costs one refusal on later runs, and spares a
    // newcomer a refused login on the first.
    m_window->actionStartRegister();
    fillIn(m_window->registerDialog(), {
                                           {"NameEdit", QLatin1String(Nickname)},
                                           {"PasswordEdit", Password},
                                           {"VerifyEdit", Password},
                                           {"FirstNameEdit", tr("Demo")},
                                           {"LastNameEdit", tr("Watcher")},
                                           {"AddressEdit", tr("1 Board Street")},
                                           {"ZipcodeEdit", QStringLiteral("1000")},
                                           {"CityEdit", tr("Tarvenix")},
                                           {"StateEdit", tr("Local")},
                                           {"CountryEdit", tr("Local")},
                                           {"EmailEdit", QStringLiteral("demo@localhost")},
                                       });
    setStage(Stage::Registering);
    m_window->actionRegister();
    m_host->start(m_window->serverHost(), m_window->serverPort());
}

void DemoRun::loginFailed(int reason)
{
    if (m_stage == Stage::Registering && reason == int(FailureCode::NicknameTaken)) {
        fillIn(m_window->loginDialog(),
               {{"_nickname", QLatin1String(Nickname)}, {"_password", Password}});
        setStage(Stage::LoggingIn);
        m_window->actionLogin();
    } else if (m_stage == Stage::Registering || m_stage == Stage::LoggingIn) {
        setStage(Stage::Failed);
    }
}

void DemoRun::advance()
{
    const bool waiting =
        m_stage == Stage::Registering || m_stage == Stage::LoggingIn || m_stage == Stage::Waiting;
    if (!waiting || !m_window->lobby()->me())
        return;
    setStage(Stage::Waiting);
    const int id = m_host->gameId();
    if (id == 0 || !m_window->lobby()->findGame(id))
        return;
    m_gameId = id;
    setStage(Stage::Watching);
    m_window->actionWatch(id);
}
