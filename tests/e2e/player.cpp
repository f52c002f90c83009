#include "player.h"

#include "buttonbar.h"
#include "cards.h"
#include "cardset.h"
#include "cardswidget.h"
#include "lobbymodel.h"
#include "map.h"
#include "move.h"
#include "newgamedialog.h"
#include "parser.h"
#include "playerlist.h"
#include "robotdialog.h"
#include "tarvenix.h"
#include "usersdialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <optional>

namespace {

// The strategy reads the client's map model: new armies go to the strongest
// country on a front, attacks need two armies more than the defender, and
// once a turn armies behind the front move up to it; so a game against
// seeded robots plays the same each run.
struct Step
{
    int from = -1;
    int to = -1;
};

bool onFront(const MapModel& map, const Country& country)
{
    return std::any_of(country.neighbours().begin(), country.neighbours().end(), [&](int n) {
        const Country* other = map.country(n);
        return other && other->owner != country.owner;
    });
}

int placeTarget(const MapModel& map, int seat)
{
    int best = -1;
    int bestArmies = -1;
    for (const auto& [number, country] : map.countries()) {
        const int armies = onFront(map, country) ? country.armies : 0;
        if (country.owner == seat && (best < 0 || armies > bestArmies)) {
            best = number;
            bestArmies = armies;
        }
    }
    return best;
}

// The first own country and neighbour that fit.
std::optional<Step> firstStep(const MapModel& map, int seat,
                              const std::function<bool(const Country&, const Country&)>& fits)
{
    for (const auto& [number, country] : map.countries()) {
        for (int n : country.neighbours()) {
            const Country* other = map.country(n);
            if (country.owner == seat && other && fits(country, *other))
                return Step{number, n};
        }
    }
    return std::nullopt;
}

// Positions in the hand of three cards that form a set.
std::optional<std::array<int, 3>> cardSet(const QList<int>& hand)
{
    const int n = int(hand.size());
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            for (int c = b + 1; c < n; ++c) {
                if (Rules::isSet(hand[a], hand[b], hand[c]))
                    return std::array<int, 3>{a, b, c};
            }
        }
    }
    return std::nullopt;
}

} // namespace

Player::Player(const QString& nickname, quint16 port)
    : m_nickname(nickname), m_window(std::make_unique<Tarvenix>())
{
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

bool Player::waitFor(const std::function<bool()>& condition, const QString& what)
{
    return QTest::qWaitFor(condition, 20000) || fail(QStringLiteral("waited for %1").arg(what));
}

bool Player::click(QAbstractButton* button, const QString& what)
{
    if (!button || !button->isVisible() || !button->isEnabled())
        return fail(QStringLiteral("%1 is missing, hidden or disabled").arg(what));
    // Check boxes and radio buttons take clicks on their box and label only,
    // which start at the left edge.
    const bool indicator = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    const QPoint at = indicator ? QPoint(std::min(8, button->width() / 2), button->height() / 2)
                                : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
    return true;
}

bool Player::click(QWidget* parent, const char* buttonName)
{
    return click(parent->findChild<QAbstractButton*>(QLatin1String(buttonName)),
                 QLatin1String(buttonName));
}

// Waits for the button bar to offer the button first.
bool Player::press(const char* keyWord)
{
    auto* button = m_window->buttonBar()->findChild<QToolButton*>(QStringLiteral("Button") +
                                                                  QLatin1String(keyWord));
    const QString what = QStringLiteral("the %1 button").arg(QLatin1String(keyWord));
    return waitFor([button] { return button->isEnabled(); }, what) && click(button, what);
}

QWidget* Player::visibleDialog(const QString& objectName)
{
    // The games window has no parent; every other dialog is a child of the
    // main window.
    QWidget* dialog = m_window->usersDialog();
    if (dialog->objectName() != objectName)
        dialog = m_window->findChild<QWidget*>(objectName, Qt::FindDirectChildrenOnly);
    return dialog && waitFor([dialog] { return dialog->isVisible(); }, objectName) ? dialog
                                                                                   : nullptr;
}

bool Player::registerAccount(const QString& password)
{
    QWidget* login = visibleDialog(QStringLiteral("LoginDialog"));
    QWidget* form = login && click(login, "_registerButton")
                        ? visibleDialog(QStringLiteral("RegisterDialog"))
                        : nullptr;
    if (!form)
        return false;
    // The fields other than the nickname and the passwords take a text that
    // is an e-mail address for the one that asks for it.
    for (QLineEdit* edit : form->findChildren<QLineEdit*>()) {
        const QString name = edit->objectName();
        QString text = name.chopped(4).toLower() + QStringLiteral("@example.org");
        if (name == QLatin1String("NameEdit"))
            text = m_nickname;
        else if (name == QLatin1String("PasswordEdit") || name == QLatin1String("VerifyEdit"))
            text = password;
        QTest::keyClicks(edit, text);
    }
    return click(form, "RegisterButton") &&
           waitFor([this] { return m_window->lobby()->me() != nullptr; },
                   QStringLiteral("the server to announce the new user"));
}

bool Player::startGame(const QString& mapLabel, const QStringList& robots)
{
    QWidget* lobby = press("Users") ? visibleDialog(QStringLiteral("UsersDialog")) : nullptr;
    QWidget* dialog = lobby && click(lobby, "NewButton")
                          ? visibleDialog(QStringLiteral("NewGameDialog"))
                          : nullptr;
    if (!dialog)
        return false;
    NewGameDialog* newGame = m_window->newGameDialog();
    auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("NewGameDialogTabs"));
    tabs->setCurrentWidget(newGame->options());
    auto* noRobots = dialog->findChild<QCheckBox*>(QStringLiteral("NoBotsBox"));
    if (noRobots->isChecked() && !click(noRobots, QStringLiteral("the No robots option")))
        return false;
    // Robots may fill only the seats that no human is asked for: with more
    // humans than one, Start is never offered.
    tabs->setCurrentWidget(newGame->timer());
    auto* humans = dialog->findChild<QSpinBox*>(QStringLiteral("NewGameTimerHumanSpinBox"));
    for (int step = 0; step < 6 && humans->value() > 1; ++step)
        QTest::keyClick(humans, Qt::Key_Down);
    tabs->setCurrentWidget(newGame->maps());
    QRadioButton* slot = nullptr;
    const auto findSlot = [&] {
        for (QRadioButton* b : newGame->maps()->findChildren<QRadioButton*>(
                 QStringLiteral("NewGameMapsPersonalButton"))) {
            if (b->text().startsWith(mapLabel) && b->isEnabled())
                slot = b;
        }
        return slot != nullptr;
    };
    if (!waitFor(findSlot, QStringLiteral("a map slot reading %1").arg(mapLabel)) ||
        !click(slot, QStringLiteral("the map slot %1").arg(mapLabel)))
        return false;
    const int mapId = newGame->maps()->selectedMapId();
    const Map* board = m_window->map();
    if (!click(dialog, "NewGameDialogButton") ||
        !waitFor([&] { return board->mapId() == mapId && !board->isLoading(); },
                 QStringLiteral("the new game on map %1").arg(mapId)))
        return false;
    for (const QString& robot : robots) {
        if (!addRobot(robot))
            return false;
    }
    return press("Start");
}

bool Player::playAgainstRobots()
{
    QWidget* lobby = press("Users") ? visibleDialog(QStringLiteral("UsersDialog")) : nullptr;
    if (!lobby)
        return false;
    // The maps come with the login, a moment after the lobby opens.
    auto* button = lobby->findChild<QPushButton*>(QStringLiteral("PlayRobotsButton"));
    const NewGameMaps* maps = m_window->newGameDialog()->maps();
    if (!waitFor([&] { return button && button->isEnabled() && maps->anyMapId() >= 1; },
                 QStringLiteral("Play against robots and a map to play on")) ||
        !click(button, QStringLiteral("Play against robots")))
        return false;
    const LobbyModel* model = m_window->lobby();
    return waitFor(
        [model] {
            const GameRecord* game = model->myGame();
            return game && game->running;
        },
        QStringLiteral("the game against robots running"));
}

bool Player::addRobot(const QString& name)
{
    QWidget* dialog = press("Robot") ? visibleDialog(QStringLiteral("RobotDialog")) : nullptr;
    if (!dialog)
        return false;
    auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("RobotDialogList"));
    const QList<QTreeWidgetItem*> rows =
        list->findItems(name, Qt::MatchExactly, RobotItem::NicknameColumn);
    if (rows.isEmpty())
        return fail(QStringLiteral("the robot dialog does not list %1").arg(name));
    list->scrollToItem(rows.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(rows.first()).center());
    const PlayerList* seats = m_window->playerList();
    return click(dialog, "RobotDialogButton") &&
           waitFor([&] { return seats->seatOf(name, false) >= 0; },
                   QStringLiteral("%1 in the player list").arg(name));
}

// The prompts come from the parser's signals; the main window, connected
// first, has handled each message by the time the player hears of it.
void Player::track()
{
    const Parser* parser = m_window->parser();
    const auto mine = [this](int seat, Prompt prompt) {
        setPrompt(seat >= 0 && seat == m_seat ? prompt : Prompt::None);
    };
    connect(parser, &Parser::player, this, [this](int seat, bool robot, const QString& name) {
        if (!robot && name == m_nickname)
            m_seat = seat;
    });
    connect(parser, &Parser::init, this,
            [this](int) { setPrompt(m_seat >= 0 ? Prompt::Setup : Prompt::None); });
    connect(parser, &Parser::place, this, [mine](int seat, int) { mine(seat, Prompt::Place); });
    connect(parser, &Parser::decide, this, [mine](int seat) { mine(seat, Prompt::Decide); });
    connect(parser, &Parser::more, this, [mine](int seat) { mine(seat, Prompt::Attack); });
    connect(parser, &Parser::exchange, this, [mine](int seat) { mine(seat, Prompt::Exchange); });
    connect(parser, &Parser::take, this, [this, mine](int from, int, int) {
        const Country* attacking = m_window->map()->country(from);
        mine(attacking ? attacking->owner : -1, Prompt::Take);
    });
    connect(parser, &Parser::end, this, [this] {
        m_movedThisTurn = false;
        setPrompt(Prompt::None);
    });
    connect(parser, &Parser::winner, this, [this](int) {
        m_over = true;
        setPrompt(Prompt::None);
    });
}

void Player::setPrompt(Prompt prompt)
{
    m_prompt = prompt;
    ++m_serial;
}

bool Player::clickCountry(int number, Qt::MouseButton button)
{
    Map* board = m_window->map();
    const Country* country = board->country(number);
    const auto lands = [board, number](QPoint spot) {
        const Country* hit = board->countryAt(board->fromPicture(spot));
        return hit && hit->number == number;
    };
    // The label where a click on it lands on the country, else the first
    // point of the country's area that does.
    QPoint spot(country->textX, country->textY);
    for (int y = country->area.top(); !lands(spot) && y <= country->area.bottom(); ++y) {
        for (int x = country->area.left(); !lands(spot) && x <= country->area.right(); ++x)
            spot = QPoint(x, y);
    }
    if (!lands(spot))
        return fail(QStringLiteral("no place to click country %1").arg(number));
    QTest::mouseClick(board, button, {}, board->fromPicture(spot));
    return true;
}

// A gesture that the client does not carry out leaves the server waiting,
// which playUntil() reports as a stalled game.
bool Player::act()
{
    m_answered = m_serial;
    const MapModel& map = m_window->map()->model();
    Move* panel = m_window->movePanel();
    const auto canAttack = [this](const Country& from, const Country& to) {
        return to.owner != m_seat && from.armies >= 3 && from.armies - to.armies > 1;
    };
    const auto canMoveUp = [&](const Country& from, const Country& to) {
        return to.owner == m_seat && from.armies >= 2 && !onFront(map, from) && onFront(map, to);
    };
    switch (m_prompt) {
    case Prompt::None:
        return true;
    case Prompt::Exchange:
        return exchangeOr(
            [this] { return fail(QStringLiteral("must exchange but holds no set")); });
    case Prompt::Decide:
        return exchangeOr([this] { return press("Place"); });
    case Prompt::Setup:
    case Prompt::Place:
        return exchangeOr([&] { return clickCountry(placeTarget(map, m_seat), Qt::RightButton); });
    case Prompt::Attack:
        if (m_movedThisTurn)
            break;
        if (const auto attack = firstStep(map, m_seat, canAttack)) {
            ++m_stats.attacks;
            return clickCountry(attack->from) && clickCountry(attack->to);
        }
        if (const auto move = firstStep(map, m_seat, canMoveUp)) {
            m_movedThisTurn = true;
            if (!press("Move") || !clickCountry(move->from) || !clickCountry(move->to))
                return false;
            panel->slider()->setValue(
                std::min(map.country(move->from)->armies - 1, Move::MoveLimit));
            ++m_stats.moves;
            return click(panel, "MoveOk");
        }
        break;
    case Prompt::Take:
        // Without a choice the client has sent the take by itself.
        if (m_window->stack()->currentWidget() != panel)
            return true;
        ++m_stats.choices;
        panel->slider()->setValue(panel->slider()->maximum());
        return click(panel, "MoveOk");
    }
    return press("Finish");
}

bool Player::exchangeOr(const std::function<bool()>& otherwise)
{
    CardsWidget* hand = m_window->cards()->cardsWidget();
    const auto set = cardSet(hand->cards());
    if (!set)
        return otherwise();
    QScrollBar* scroll = m_window->cards()->scrollBar();
    for (int index : *set) {
        // Only five cards show at once; the scroll bar brings the others.
        if (index < hand->first() || index >= hand->first() + CardsWidget::Slots)
            scroll->setValue(std::min(index, scroll->maximum()));
        QTest::mouseClick(hand, Qt::LeftButton, {}, hand->pictureRect(index).center());
    }
    ++m_stats.exchanges;
    // Cards is enabled only while the three selected cards form a set.
    return press("Cards");
}

bool Player::playUntil(const std::function<bool()>& done)
{
    for (;;) {
        if (!QTest::qWaitFor([&] { return done() || hasPrompt(); }, 60000))
            return fail(QStringLiteral("the game stalled for a minute"));
        if (done())
            return true;
        if (!act())
            return false;
    }
}
