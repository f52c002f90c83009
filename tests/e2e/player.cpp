#include "player.h"

#include "../chat/chatlines.h"
#include "buttonbar.h"
#include "cards.h"
#include "cardswidget.h"
#include "chatbox.h"
#include "chatdialog.h"
#include "connection.h"
#include "gameitem.h"
#include "gamerecord.h"
#include "lobbymodel.h"
#include "logindialog.h"
#include "map.h"
#include "move.h"
#include "newgamedialog.h"
#include "parser.h"
#include "playerlist.h"
#include "question.h"
#include "registerdialog.h"
#include "robotdialog.h"
#include "strategy.h"
#include "tarvenix.h"
#include "userinfo.h"
#include "usersdialog.h"
#include "userswidget.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTcpSocket>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace {

// A player's own turns in one game: far more than any game against the
// robots takes, so that a strategy that cannot finish fails instead of
// running into the test's time limit.
constexpr int MaxTurns = 500;

} // namespace

Player::Player(const QString& nickname, quint16 port)
    : m_nickname(nickname), m_window(std::make_unique<Tarvenix>())
{
    m_window->setObjectName(QStringLiteral("Tarvenix-%1").arg(nickname));
    m_window->setServer(QStringLiteral("127.0.0.1"), port);
    track();
    m_window->show();
    m_window->start();
}

Player::~Player() = default;

bool Player::fail(const QString& why)
{
    m_error = QStringLiteral("%1: %2").arg(m_nickname, why);
    return false;
}

bool Player::waitFor(const std::function<bool()>& condition, const QString& what, int timeoutMs)
{
    if (QTest::qWaitFor(condition, timeoutMs))
        return true;
    return fail(QStringLiteral("waited %1 ms for %2").arg(timeoutMs).arg(what));
}

bool Player::click(QAbstractButton* button, const QString& what)
{
    if (!button)
        return fail(QStringLiteral("no %1").arg(what));
    if (!button->isVisible() || !button->isEnabled())
        return fail(QStringLiteral("%1 is %2")
                        .arg(what, button->isVisible() ? QStringLiteral("disabled")
                                                       : QStringLiteral("hidden")));
    // Check boxes and radio buttons take clicks on their box and label only,
    // which start at the left edge.
    const bool indicator = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    const QPoint at = indicator ? QPoint(std::min(8, button->width() / 2), button->height() / 2)
                                : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
    return true;
}

QToolButton* Player::barButton(const char* keyWord) const
{
    return m_window->buttonBar()->findChild<QToolButton*>(QStringLiteral("Button") +
                                                          QLatin1String(keyWord));
}

bool Player::press(const char* keyWord)
{
    return click(barButton(keyWord), QStringLiteral("the %1 button").arg(QLatin1String(keyWord)));
}

QWidget* Player::visibleDialog(const QString& objectName)
{
    // The games and chat windows have no parent; every other dialog is a
    // child of the main window.
    QWidget* dialog = nullptr;
    for (QWidget* window : {static_cast<QWidget*>(m_window->usersDialog()),
                            static_cast<QWidget*>(m_window->chatDialog())}) {
        if (window->objectName() == objectName)
            dialog = window;
    }
    if (!dialog)
        dialog = m_window->findChild<QWidget*>(objectName, Qt::FindDirectChildrenOnly);
    if (!dialog || !QTest::qWaitFor([dialog] { return dialog->isVisible(); }, 10000)) {
        fail(QStringLiteral("the window %1 is not shown").arg(objectName));
        return nullptr;
    }
    return dialog;
}

bool Player::type(QWidget* parent, const QString& editName, const QString& text)
{
    auto* edit = parent->findChild<QLineEdit*>(editName);
    if (!edit || !edit->isVisible())
        return fail(QStringLiteral("no field %1").arg(editName));
    edit->clear();
    QTest::keyClicks(edit, text);
    if (edit->text() != text)
        return fail(QStringLiteral("%1 reads \"%2\" after typing").arg(editName, edit->text()));
    return true;
}

bool Player::registerAccount(const QString& password)
{
    QWidget* login = visibleDialog(QStringLiteral("LoginDialog"));
    if (!login || !click(login->findChild<QPushButton*>(QStringLiteral("_registerButton")),
                         QStringLiteral("the login dialog's Register button")))
        return false;
    QWidget* form = visibleDialog(QStringLiteral("RegisterDialog"));
    if (!form)
        return false;
    const QList<QPair<const char*, QString>> fields = {
        {"NameEdit", m_nickname},
        {"PasswordEdit", password},
        {"VerifyEdit", password},
        {"FirstNameEdit", QStringLiteral("Robin")},
        {"LastNameEdit", m_nickname},
        {"AddressEdit", QStringLiteral("1 Harbour Road")},
        {"ZipcodeEdit", QStringLiteral("4021")},
        {"CityEdit", QStringLiteral("Portsby")},
        {"StateEdit", QStringLiteral("Westmark")},
        {"CountryEdit", QStringLiteral("Tarland")},
        {"EmailEdit", m_nickname.toLower() + QStringLiteral("@example.org")},
    };
    for (const auto& [name, text] : fields) {
        if (!type(form, QLatin1String(name), text))
            return false;
    }
    if (!click(form->findChild<QPushButton*>(QStringLiteral("RegisterButton")),
               QStringLiteral("the Register button")))
        return false;
    return waitFor([this] { return m_window->lobby()->me() != nullptr; },
                   QStringLiteral("the server to announce the new user"));
}

bool Player::logOut()
{
    if (!press("Leave"))
        return false;
    QWidget* question = visibleDialog(QStringLiteral("LogoutDialog"));
    if (!question || !click(question->findChild<QPushButton*>(QStringLiteral("YesButton")),
                            QStringLiteral("Yes in the logout question")))
        return false;
    return waitFor(
        [this] { return !m_window->connection() && m_window->loginDialog()->isVisible(); },
        QStringLiteral("the login dialog after logging out"));
}

bool Player::logIn(const QString& password)
{
    QWidget* login = visibleDialog(QStringLiteral("LoginDialog"));
    if (!login || !type(login, QStringLiteral("_nickname"), m_nickname) ||
        !type(login, QStringLiteral("_password"), password) ||
        !click(login->findChild<QPushButton*>(QStringLiteral("_loginButton")),
               QStringLiteral("the Login button")))
        return false;
    return waitFor([this] { return m_window->lobby()->me() != nullptr; },
                   QStringLiteral("the server to announce the user after the login"));
}

int Player::gameId() const
{
    const UserInfo* me = m_window->lobby()->me();
    return me ? me->gameId : 0;
}

bool Player::openGame(const QString& mapLabel, int minHumans, bool personal)
{
    if (!press("Users"))
        return false;
    QWidget* lobby = visibleDialog(QStringLiteral("UsersDialog"));
    if (!lobby || !click(lobby->findChild<QPushButton*>(QStringLiteral("NewButton")),
                         QStringLiteral("the lobby's New button")))
        return false;
    QWidget* dialog = visibleDialog(QStringLiteral("NewGameDialog"));
    if (!dialog)
        return false;
    auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("NewGameDialogTabs"));
    auto* noRobots = dialog->findChild<QCheckBox*>(QStringLiteral("NoBotsBox"));
    if (!tabs || !noRobots)
        return fail(QStringLiteral("no tabs or no robots option in the new-game dialog"));
    tabs->setCurrentWidget(m_window->newGameDialog()->options());
    if (noRobots->isChecked() && !click(noRobots, QStringLiteral("the No robots option")))
        return false;
    // Robots may fill only the seats that no human is asked for.
    tabs->setCurrentWidget(m_window->newGameDialog()->timer());
    auto* humans = dialog->findChild<QSpinBox*>(QStringLiteral("NewGameTimerHumanSpinBox"));
    if (!humans)
        return fail(QStringLiteral("no choice of human players in the new-game dialog"));
    for (int step = 0; step < 6 && humans->value() > minHumans; ++step)
        QTest::keyClick(humans, Qt::Key_Down);
    if (humans->value() != minHumans)
        return fail(
            QStringLiteral("the new-game dialog asks for %1 human players").arg(humans->value()));
    auto* maps = m_window->newGameDialog()->maps();
    tabs->setCurrentWidget(maps);
    QRadioButton* slot = nullptr;
    const QString slotName = personal ? QStringLiteral("NewGameMapsPersonalButton")
                                      : QStringLiteral("NewGameMapsPopularButton");
    if (!QTest::qWaitFor(
            [&] {
                for (QRadioButton* b : maps->findChildren<QRadioButton*>(slotName)) {
                    if (b->text().startsWith(mapLabel) && b->isEnabled())
                        slot = b;
                }
                return slot != nullptr;
            },
            10000))
        return fail(QStringLiteral("no map slot reads %1").arg(mapLabel));
    if (!click(slot, QStringLiteral("the map slot %1").arg(mapLabel)))
        return false;
    const int mapId = maps->selectedMapId();
    if (mapId <= 0)
        return fail(QStringLiteral("the map slot %1 chose no map").arg(mapLabel));
    if (!click(dialog->findChild<QPushButton*>(QStringLiteral("NewGameDialogButton")),
               QStringLiteral("the new-game dialog's button")))
        return false;
    const Map* board = m_window->map();
    return waitFor([&] { return gameId() != 0 && board->mapId() == mapId && !board->isLoading(); },
                   QStringLiteral("the new game on map %1").arg(mapId));
}

bool Player::addRobot(const QString& name)
{
    if (!waitFor([this] { return barButton("Robot")->isEnabled(); },
                 QStringLiteral("the Robot button")) ||
        !press("Robot"))
        return false;
    QWidget* dialog = visibleDialog(QStringLiteral("RobotDialog"));
    if (!dialog)
        return false;
    auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("RobotDialogList"));
    const QList<QTreeWidgetItem*> rows =
        list ? list->findItems(name, Qt::MatchExactly, RobotItem::NicknameColumn)
             : QList<QTreeWidgetItem*>();
    if (rows.isEmpty())
        return fail(QStringLiteral("the robot dialog does not list %1").arg(name));
    list->scrollToItem(rows.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(rows.first()).center());
    if (list->currentItem() != rows.first())
        return fail(QStringLiteral("clicking %1 in the robot dialog did not choose it").arg(name));
    if (!click(dialog->findChild<QPushButton*>(QStringLiteral("RobotDialogButton")),
               QStringLiteral("Add to game")))
        return false;
    const PlayerList* seats = m_window->playerList();
    return waitFor([&] { return seats->seatOf(name, false) >= 0; },
                   QStringLiteral("%1 in the player list").arg(name));
}

bool Player::joinGame(int id)
{
    if (!press("Users"))
        return false;
    QWidget* lobby = visibleDialog(QStringLiteral("UsersDialog"));
    if (!lobby)
        return false;
    auto* games = lobby->findChild<QTreeWidget*>(QStringLiteral("GameList"));
    QTreeWidgetItem* item = nullptr;
    for (int row = 0; games && row < games->topLevelItemCount(); ++row) {
        auto* candidate = static_cast<GameItem*>(games->topLevelItem(row));
        if (candidate->game()->id == id)
            item = candidate;
    }
    if (!item)
        return fail(QStringLiteral("the lobby does not list game %1").arg(id));
    games->scrollToItem(item);
    QTest::mouseClick(games->viewport(), Qt::LeftButton, {}, games->visualItemRect(item).center());
    if (!click(lobby->findChild<QPushButton*>(QStringLiteral("JoinButton")),
               QStringLiteral("the lobby's Join button")))
        return false;
    return waitFor([&] { return gameId() == id && !m_window->map()->isLoading(); },
                   QStringLiteral("joining game %1").arg(id));
}

bool Player::startGame()
{
    return waitFor([this] { return barButton("Start")->isEnabled(); },
                   QStringLiteral("the Start button")) &&
           press("Start");
}

bool Player::sayInGame(const QString& text)
{
    if (!press("Chat"))
        return false;
    QWidget* chat = visibleDialog(QStringLiteral("ChatDialog"));
    if (!chat)
        return false;
    ChatDialog* window = m_window->chatDialog();
    window->tabs()->setCurrentWidget(window->gameBox());
    QLineEdit* input = window->gameBox()->inputLine();
    QTest::keyClicks(input, text);
    QTest::keyClick(input, Qt::Key_Return);
    if (!input->text().isEmpty())
        return fail(QStringLiteral("the game channel kept the typed line"));
    return true;
}

QStringList Player::gameChannel() const
{
    return chatLines(m_window->chatDialog()->gameBox()->view());
}

QStringList Player::output() const
{
    return chatLines(m_window->output());
}

Player::Holding Player::holding() const
{
    Holding h;
    for (const auto& [number, country] : m_window->map()->countries()) {
        if (country.owner == m_seat)
            h.armies.insert(number, country.armies);
    }
    h.cards = m_window->cards()->cardsWidget()->cards();
    std::sort(h.cards.begin(), h.cards.end());
    h.prompt = hasPrompt() ? m_prompt : Prompt::None;
    return h;
}

void Player::loseConnection()
{
    setPrompt(Prompt::None);
    if (Connection* connection = m_window->connection()) {
        if (auto* socket = connection->findChild<QTcpSocket*>())
            socket->abort();
    }
}

// The prompts come from the parser's signals; the main window, connected
// first, has handled each message by the time the player hears of it.
void Player::track()
{
    const Parser* parser = m_window->parser();
    const auto mine = [this](int seat) {
        return seat >= 0 && seat == m_seat;
    };
    connect(parser, &Parser::player, this, [this](int seat, bool robot, const QString& name) {
        if (!robot && name == m_nickname)
            m_seat = seat;
    });
    connect(parser, &Parser::init, this, [this](int) {
        m_winner = -1;
        m_startSeats = seats();
        m_finalSeats.clear();
        setPrompt(m_seat >= 0 ? Prompt::Setup : Prompt::None);
    });
    connect(parser, &Parser::place, this,
            [this, mine](int seat, int) { setPrompt(mine(seat) ? Prompt::Place : Prompt::None); });
    connect(parser, &Parser::decide, this,
            [this, mine](int seat) { setPrompt(mine(seat) ? Prompt::Decide : Prompt::None); });
    connect(parser, &Parser::more, this,
            [this, mine](int seat) { setPrompt(mine(seat) ? Prompt::Attack : Prompt::None); });
    connect(parser, &Parser::exchange, this,
            [this, mine](int seat) { setPrompt(mine(seat) ? Prompt::Exchange : Prompt::None); });
    connect(parser, &Parser::take, this, [this](int from, int, int) {
        const Country* attacking = m_window->map()->country(from);
        setPrompt(attacking && attacking->owner == m_seat ? Prompt::Take : Prompt::None);
    });
    connect(parser, &Parser::end, this, [this] {
        m_movedThisTurn = false;
        setPrompt(Prompt::None);
    });
    connect(parser, &Parser::winner, this, [this](int seat) {
        m_winner = seat;
        m_finalSeats = seats();
        setPrompt(Prompt::None);
    });
}

QList<Player::Seat> Player::seats() const
{
    QList<Seat> list;
    for (int s = 0; s < PlayerList::Seats; ++s) {
        const PlayerEntry* entry = m_window->playerList()->entry(s);
        list.append(entry ? Seat{entry->name, entry->robot} : Seat{});
    }
    return list;
}

void Player::setPrompt(Prompt prompt)
{
    // A turn opens with one of these after prompts for other seats.
    if ((m_prompt == Prompt::None || m_prompt == Prompt::Setup) &&
        (prompt == Prompt::Place || prompt == Prompt::Decide || prompt == Prompt::Exchange))
        ++m_stats.turns;
    m_prompt = prompt;
    ++m_serial;
}

void Player::findSpots()
{
    const Map* board = m_window->map();
    if (m_spotsOfMap == board->mapId())
        return;
    m_spotsOfMap = board->mapId();
    m_spots.clear();
    const MapPicture& picture = board->picture();
    // A pixel whose neighbours all belong to the country too, so that a
    // click there cannot land on a border whatever the rounding.
    const auto inside = [&picture](QPoint p, int number) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (picture.indexAt(p + QPoint(dx, dy)) != number)
                    return false;
            }
        }
        return true;
    };
    for (const auto& [number, country] : board->countries()) {
        const QPoint label(country.textX, country.textY);
        if (inside(label, number)) {
            m_spots.insert(number, label);
            continue;
        }
        const QRect area = country.area.isNull() ? picture.rect() : country.area;
        for (int y = area.top(); y <= area.bottom() && !m_spots.contains(number); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (inside(QPoint(x, y), number)) {
                    m_spots.insert(number, QPoint(x, y));
                    break;
                }
            }
        }
    }
}

bool Player::clickCountry(int number, Qt::MouseButton button)
{
    findSpots();
    Map* board = m_window->map();
    if (!m_spots.contains(number))
        return fail(QStringLiteral("no place to click country %1").arg(number));
    const QPoint at = board->fromPicture(m_spots.value(number));
    const Country* hit = board->countryAt(at);
    if (!hit || hit->number != number)
        return fail(QStringLiteral("a click meant for country %1 lands on %2")
                        .arg(number)
                        .arg(hit ? hit->number : 0));
    QTest::mouseClick(board, button, {}, at);
    return true;
}

bool Player::act()
{
    const Prompt prompt = m_prompt;
    m_answered = m_serial;
    switch (prompt) {
    case Prompt::None:
        return true;
    case Prompt::Setup:
        return actSetup();
    case Prompt::Decide:
        return actDecide();
    case Prompt::Place:
        return actPlace();
    case Prompt::Attack:
        return actAttack();
    case Prompt::Take:
        return actTake();
    case Prompt::Exchange: {
        bool exchanged = false;
        if (!exchangeSet(&exchanged))
            return false;
        return exchanged || fail(QStringLiteral("must exchange but holds no set"));
    }
    }
    return true;
}

bool Player::actSetup()
{
    const Map* board = m_window->map();
    if (board->mode() != MapMode::PlaceInitial)
        return fail(QStringLiteral("the board is not placing the first armies"));
    const int left = board->model().armyTarget() - board->armiesOf(m_seat);
    if (left <= 0)
        return true;
    const QString expected = QStringLiteral("You should place %1 armies").arg(left);
    if (board->statusText() != expected)
        return fail(QStringLiteral("the board says \"%1\" instead of \"%2\"")
                        .arg(board->statusText(), expected));
    ++m_stats.placings;
    return clickCountry(strategy::placeTarget(*board, m_seat), Qt::RightButton);
}

bool Player::actDecide()
{
    if (m_window->map()->mode() != MapMode::Attack || !barButton("Place")->isEnabled())
        return fail(QStringLiteral("a decide prompt without Place offered"));
    bool exchanged = false;
    if (!exchangeSet(&exchanged))
        return false;
    return exchanged || press("Place");
}

bool Player::actPlace()
{
    const Map* board = m_window->map();
    if (board->mode() != MapMode::Place || !barButton("Place")->isChecked())
        return fail(QStringLiteral("a place prompt while the board is not placing"));
    bool exchanged = false;
    if (!exchangeSet(&exchanged))
        return false;
    if (exchanged)
        return true;
    ++m_stats.placings;
    return clickCountry(strategy::placeTarget(*board, m_seat), Qt::RightButton);
}

bool Player::actAttack()
{
    Map* board = m_window->map();
    if (board->mode() != MapMode::Attack || !barButton("Finish")->isEnabled())
        return fail(QStringLiteral("an attack prompt while the board is not attacking"));
    if (!m_movedThisTurn) {
        if (const auto attack = strategy::attack(*board, m_seat)) {
            if (!clickCountry(attack->from))
                return false;
            if (!board->country(attack->from)->selected)
                return fail(
                    QStringLiteral("country %1 is not selected to attack from").arg(attack->from));
            ++m_stats.attacks;
            return clickCountry(attack->to);
        }
        if (const auto move = strategy::fortify(*board, m_seat, Move::MoveLimit)) {
            m_movedThisTurn = true;
            if (!press("Move") || !clickCountry(move->from) || !clickCountry(move->to))
                return false;
            Move* panel = m_window->movePanel();
            if (m_window->stack()->currentWidget() != panel || panel->isTakeMode())
                return fail(QStringLiteral("the move panel does not open for a move"));
            panel->slider()->setValue(move->armies);
            ++m_stats.moves;
            return click(panel->findChild<QPushButton*>(QStringLiteral("MoveOk")),
                         QStringLiteral("the move panel's Ok"));
        }
    }
    return press("Finish");
}

bool Player::actTake()
{
    Move* panel = m_window->movePanel();
    // Without a choice the client has sent the take by itself.
    if (m_window->stack()->currentWidget() != panel)
        return true;
    if (!panel->isTakeMode())
        return fail(QStringLiteral("the move panel opens for a conquest but not to take"));
    ++m_stats.choices;
    panel->slider()->setValue(panel->slider()->maximum());
    return click(panel->findChild<QPushButton*>(QStringLiteral("MoveOk")),
                 QStringLiteral("the move panel's Ok"));
}

bool Player::exchangeSet(bool* exchanged)
{
    *exchanged = false;
    CardsWidget* hand = m_window->cards()->cardsWidget();
    const auto set = strategy::cardSet(hand->cards());
    if (!set)
        return true;
    QScrollBar* scroll = m_window->cards()->scrollBar();
    for (int index : *set) {
        // Only five cards show at once; the scroll bar brings the others.
        if (index < hand->first() || index >= hand->first() + CardsWidget::Slots)
            scroll->setValue(std::min(index, scroll->maximum()));
        QTest::mouseClick(hand, Qt::LeftButton, {}, hand->pictureRect(index).center());
        if (!hand->isSelected(index))
            return fail(
                QStringLiteral("clicking card %1 of the hand does not select it").arg(index));
    }
    if (!press("Cards"))
        return false;
    ++m_stats.exchanges;
    *exchanged = true;
    return true;
}

bool playUntil(const QList<Player*>& players, const std::function<bool()>& done, QString* error,
               int stallMs)
{
    for (;;) {
        Player* next = nullptr;
        const auto ready = [&] {
            if (done())
                return true;
            for (Player* p : players) {
                if (p->hasPrompt()) {
                    next = p;
                    return true;
                }
            }
            return false;
        };
        if (!QTest::qWaitFor(ready, stallMs)) {
            *error = QStringLiteral("the game stalled for %1 ms").arg(stallMs);
            return false;
        }
        if (!next)
            return true;
        if (!next->act()) {
            *error = next->error();
            return false;
        }
        if (next->stats().turns > MaxTurns) {
            *error = QStringLiteral("%1 played %2 turns without an end")
                         .arg(next->nickname())
                         .arg(next->stats().turns);
            return false;
        }
    }
}

bool playToEnd(const QList<Player*>& players, QString* error, int stallMs)
{
    return playUntil(
        players,
        [&players] {
            return std::all_of(players.begin(), players.end(),
                               [](const Player* p) { return p->isOver(); });
        },
        error, stallMs);
}
