// Plays robot games against each other on one map, headless and as fast as
// the robots decide, and reports how often each level wins (with a 95%
// confidence interval), how long games last, how long robots think and how
// much processor time a game costs them. Levels are rotated through the
// seats from game to game so that no level keeps the seat that starts.

#include "board.h"
#include "clock.h"
#include "gameengine.h"
#include "mapstore.h"
#include "random.h"
#include "robot.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <vector>

namespace {

class StillClock : public Clock
{
public:
    std::int64_t nowMs() const override { return 0; }
};

std::int64_t threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// Wilson score interval for k successes in n trials.
std::pair<double, double> wilson(int k, int n)
{
    if (n == 0)
        return {0, 0};
    const double z = 1.96;
    const double p = double(k) / n;
    const double d = 1 + z * z / n;
    const double centre = (p + z * z / (2 * n)) / d;
    const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4.0 * n * n)) / d;
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

bool parseLevel(const QString& name, Robot::Level* level)
{
    static const std::map<QString, Robot::Level> names = {
        {QStringLiteral("random"), Robot::Level::Random},
        {QStringLiteral("easy"), Robot::Level::Easy},
        {QStringLiteral("normal"), Robot::Level::Normal},
        {QStringLiteral("hard"), Robot::Level::Hard},
    };
    const auto it = names.find(name.toLower());
    if (it == names.end())
        return false;
    *level = it->second;
    return true;
}

const char* levelName(Robot::Level level)
{
    static const char* names[] = {"random", "easy", "normal", "hard"};
    return names[int(level)];
}

// Decision times in microsecond buckets; the last bucket takes the rest.
class Histogram
{
public:
    void add(std::int64_t ns)
    {
        ++m_buckets[size_t(std::min<std::int64_t>(ns / 1000, Top))];
        ++m_count;
    }
    double percentileMs(double q) const
    {
        const auto wanted = std::int64_t(std::ceil(q * double(m_count)));
        std::int64_t seen = 0;
        for (size_t i = 0; i < m_buckets.size(); ++i) {
            seen += m_buckets[i];
            if (seen >= wanted && seen > 0)
                return double(i + 1) / 1000.0;
        }
        return 0;
    }
    std::int64_t count() const { return m_count; }

private:
    static constexpr std::int64_t Top = 100'000;
    std::vector<std::int64_t> m_buckets = std::vector<std::int64_t>(size_t(Top) + 1);
    std::int64_t m_count = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Robot against robot, headless."));
    parser.addHelpOption();
    const QCommandLineOption gamesOption(QStringLiteral("games"), QStringLiteral("Games to play."),
                                         QStringLiteral("n"), QStringLiteral("100"));
    const QCommandLineOption mapOption(QStringLiteral("map"),
                                       QStringLiteral("Default map id (1 is World)."),
                                       QStringLiteral("id"), QStringLiteral("1"));
    const QCommandLineOption dataOption(
        QStringLiteral("data"), QStringLiteral("Directory holding maps/."), QStringLiteral("dir"));
    const QCommandLineOption seatsOption(
        QStringLiteral("seats"),
        QStringLiteral("Comma-separated levels, one per seat: random, easy, normal, hard."),
        QStringLiteral("levels"), QStringLiteral("hard,normal,normal,normal,normal,normal"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("First seed."),
                                        QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption capOption(
        QStringLiteral("round-cap"),
        QStringLiteral("Rounds after which a game counts as unfinished."), QStringLiteral("n"),
        QStringLiteral("300"));
    const QCommandLineOption increasingOption(QStringLiteral("increasing-cards"),
                                              QStringLiteral("Sets grow in value."));
    const QCommandLineOption blindOption(QStringLiteral("blind"), QStringLiteral("Blind map."));
    const QCommandLineOption capitalsOption(QStringLiteral("capitals"),
                                            QStringLiteral("Capitals."));
    const QCommandLineOption placeFirstOption(QStringLiteral("place-before-attack"),
                                              QStringLiteral("Place before attacking."));
    const QCommandLineOption cardsOption(
        QStringLiteral("receive-cards"),
        QStringLiteral("Conquerors take the cards of the defeated."));
    parser.addOptions({gamesOption, mapOption, dataOption, seatsOption, seedOption, capOption,
                       increasingOption, blindOption, capitalsOption, placeFirstOption,
                       cardsOption});
    parser.process(app);

    std::vector<Robot::Level> levels;
    for (const QString& name : parser.value(seatsOption).split(QLatin1Char(','))) {
        Robot::Level level;
        if (!parseLevel(name.trimmed(), &level)) {
            std::fprintf(stderr, "unknown level %s\n", qPrintable(name));
            return 2;
        }
        levels.push_back(level);
    }
    if (levels.size() < 2 || levels.size() > 6) {
        std::fprintf(stderr, "2 to 6 seats\n");
        return 2;
    }
    const QString data =
        parser.isSet(dataOption)
            ? parser.value(dataOption)
            : QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../run"));
    MapStore maps;
    maps.loadDefaultMaps(data);
    const MapStore::Entry* entry = maps.find(parser.value(mapOption).toInt());
    if (!entry) {
        std::fprintf(stderr, "no map %s below %s\n", qPrintable(parser.value(mapOption)),
                     qPrintable(data));
        return 2;
    }
    const auto board = std::make_shared<const Board>(entry->map);

    GameRules rules;
    rules.increasingCards = parser.isSet(increasingOption);
    rules.blind = parser.isSet(blindOption);
    rules.capitals = parser.isSet(capitalsOption);
    rules.placeBeforeAttack = parser.isSet(placeFirstOption);
    rules.receiveCards = parser.isSet(cardsOption);

    const int games = parser.value(gamesOption).toInt();
    const int cap = parser.value(capOption).toInt();
    const std::uint64_t firstSeed = parser.value(seedOption).toULongLong();
    const int seats = int(levels.size());

    std::map<Robot::Level, int> seatsOfLevel;
    for (Robot::Level l : levels)
        ++seatsOfLevel[l];
    std::map<Robot::Level, int> wins;
    int unfinished = 0;
    long refused = 0;
    std::vector<int> rounds;
    std::vector<double> cpuPerGame;
    Histogram decisions;
    StillClock clock;
    const auto started = std::chrono::steady_clock::now();

    for (int g = 0; g < games; ++g) {
        SeededRandom random(firstSeed + std::uint64_t(g));
        std::vector<Robot::Level> bySeat(static_cast<size_t>(seats));
        std::vector<std::unique_ptr<Robot>> robots;
        for (int s = 0; s < seats; ++s) {
            bySeat[size_t(s)] = levels[size_t((s + g) % seats)];
            robots.push_back(Robot::create(bySeat[size_t(s)], random));
        }
        GameEngine game(board, rules, std::uint8_t((1u << seats) - 1), random, clock);
        game.start();
        std::int64_t cpu = 0;
        bool failed = false;
        while (!game.isOver() && game.round() <= cap && !failed) {
            int seat = game.currentSeat();
            if (game.step() == GameEngine::Step::Setup) {
                for (seat = 0; seat < seats && game.need(seat) == GameEngine::Need::Nothing;
                     ++seat) {
                }
            }
            const std::int64_t t0 = threadCpuNs();
            const GameAction a = robots[size_t(seat)]->act(game, seat);
            const std::int64_t t1 = threadCpuNs();
            cpu += t1 - t0;
            decisions.add(t1 - t0);
            const GameEngine::Refusal r = game.apply(seat, a);
            if (r != GameEngine::Refusal::None) {
                ++refused;
                failed = true;
                std::fprintf(stderr, "game %d: %s refused: %s\n", g,
                             levelName(bySeat[size_t(seat)]), GameEngine::describe(r));
            }
            game.takeEvents();
        }
        rounds.push_back(game.round());
        cpuPerGame.push_back(double(cpu) / 1e9);
        if (game.isOver() && game.winner() >= 0)
            ++wins[bySeat[size_t(game.winner())]];
        else {
            ++unfinished;
            if (qEnvironmentVariableIsSet("ARENA_DEBUG")) {
                std::fprintf(stderr, "unfinished game %d:", g);
                for (int s = 0; s < seats; ++s)
                    std::fprintf(stderr, " %s%s:%d countries/%d armies/%zu cards",
                                 levelName(bySeat[size_t(s)]), game.isActive(s) ? "" : "(out)",
                                 game.countriesOf(s), game.armiesOf(s), game.cards(s).size());
                std::fprintf(stderr, "\n");
            }
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::printf("%d games on %s, %d seats, seed %llu, round cap %d\n", games,
                qPrintable(entry->map.name), seats, static_cast<unsigned long long>(firstSeed),
                cap);
    for (const auto& [level, n] : seatsOfLevel) {
        const int k = wins[level];
        const auto [low, high] = wilson(k, games);
        std::printf(
            "  %-7s %d seat(s): won %5.1f%% of games (95%% CI %.1f-%.1f%%), fair share %.1f%%\n",
            levelName(level), n, 100.0 * k / std::max(games, 1), 100 * low, 100 * high,
            100.0 * n / seats);
    }
    std::sort(rounds.begin(), rounds.end());
    std::sort(cpuPerGame.begin(), cpuPerGame.end());
    double meanRounds = 0;
    for (int r : rounds)
        meanRounds += r;
    meanRounds /= std::max<size_t>(rounds.size(), 1);
    std::printf("  unfinished at the cap: %d, moves refused: %ld\n", unfinished, refused);
    std::printf("  rounds per game: mean %.1f, median %d, max %d\n", meanRounds,
                rounds.empty() ? 0 : rounds[rounds.size() / 2], rounds.empty() ? 0 : rounds.back());
    std::printf("  decision: median %.3f ms, p99 %.3f ms over %lld decisions\n",
                decisions.percentileMs(0.5), decisions.percentileMs(0.99),
                static_cast<long long>(decisions.count()));
    std::printf("  robot CPU per game: median %.3f s, max %.3f s\n",
                cpuPerGame.empty() ? 0 : cpuPerGame[cpuPerGame.size() / 2],
                cpuPerGame.empty() ? 0 : cpuPerGame.back());
    std::printf("  %.1f games per second\n", games / std::max(seconds, 1e-9));
    return refused == 0 && unfinished == 0 ? 0 : 1;
}
