// Plays robot games against each other, headless and as fast as the robots
// decide, and reports how often each level wins (with a 95% confidence
// interval), how long games last, how long robots think and how much
// processor time a game costs them. Levels are rotated through the seats
// from game to game so that no level keeps the seat that starts.
//
// One line of seats on one map and rule set, or with --matrix every rule set
// players choose, on several maps, for the seatings the levels are judged
// by, one table row per cell.

#include "board.h"
#include "clock.h"
#include "expertrobot.h"
#include "gameengine.h"
#include "maps/mapstore.h"
#include "random.h"
#include "robot.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int LevelCount = 5;

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
        {QStringLiteral("expert"), Robot::Level::Expert},
    };
    const auto it = names.find(name.toLower());
    if (it == names.end())
        return false;
    *level = it->second;
    return true;
}

bool parseLevels(const QString& text, std::vector<Robot::Level>* levels)
{
    levels->clear();
    for (const QString& name : text.split(QLatin1Char(','))) {
        Robot::Level level;
        if (!parseLevel(name.trimmed(), &level))
            return false;
        levels->push_back(level);
    }
    return levels->size() >= 2 && levels->size() <= 6;
}

const char* levelName(Robot::Level level)
{
    static const char* names[] = {"random", "easy", "normal", "hard", "expert"};
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
    void add(const Histogram& other)
    {
        for (size_t i = 0; i < m_buckets.size(); ++i)
            m_buckets[i] += other.m_buckets[i];
        m_count += other.m_count;
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

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double maximum(const std::vector<double>& v)
{
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

// What one level's robots cost: their decisions and their processor time in
// each game, per robot.
struct LevelCost
{
    Histogram decisions;
    std::vector<double> cpuPerGame;
    // The Expert's decisions played out in each game, and its searches left
    // out for want of allowance.
    std::vector<double> stepsPerGame;
    long skipped = 0;

    void add(const LevelCost& other)
    {
        decisions.add(other.decisions);
        cpuPerGame.insert(cpuPerGame.end(), other.cpuPerGame.begin(), other.cpuPerGame.end());
        stepsPerGame.insert(stepsPerGame.end(), other.stepsPerGame.begin(),
                            other.stepsPerGame.end());
        skipped += other.skipped;
    }
};

struct Outcome
{
    int games = 0;
    std::array<int, LevelCount> wins{};
    // Games a seat of the level began, and those of them it won: two-seat
    // games turn on who strikes first.
    std::array<int, LevelCount> began{};
    std::array<int, LevelCount> wonBegun{};
    int unfinished = 0;
    long refused = 0;
    std::vector<int> rounds;
    std::array<LevelCost, LevelCount> cost;
};

// Plays games games of the seats on the board under the rules, the g-th
// with seed firstSeed + g.
// How much the Expert robots may think.
ExpertRobot::Budget expertBudget;

std::unique_ptr<Robot> createRobot(Robot::Level level, Random& random)
{
    if (level == Robot::Level::Expert)
        return std::make_unique<ExpertRobot>(random, expertBudget);
    return Robot::create(level, random);
}

Outcome play(const std::shared_ptr<const Board>& board, const GameRules& rules,
             const std::vector<Robot::Level>& levels, int games, std::uint64_t firstSeed, int cap)
{
    const int seats = int(levels.size());
    Outcome out;
    out.games = games;
    StillClock clock;
    for (int g = 0; g < games; ++g) {
        SeededRandom random(firstSeed + std::uint64_t(g));
        std::vector<Robot::Level> bySeat(static_cast<size_t>(seats));
        std::vector<std::unique_ptr<Robot>> robots;
        for (int s = 0; s < seats; ++s) {
            bySeat[size_t(s)] = levels[size_t((s + g) % seats)];
            robots.push_back(createRobot(bySeat[size_t(s)], random));
        }
        GameEngine game(board, rules, std::uint8_t((1u << seats) - 1), random, clock);
        game.start();
        std::vector<std::int64_t> cpu(size_t(seats), 0);
        bool failed = false;
        int firstLevel = -1;
        while (!game.isOver() && game.round() <= cap && !failed) {
            int seat = game.currentSeat();
            if (firstLevel < 0 && game.step() != GameEngine::Step::Setup && seat >= 0)
                firstLevel = int(bySeat[size_t(seat)]);
            if (game.step() == GameEngine::Step::Setup) {
                for (seat = 0; seat < seats && game.need(seat) == GameEngine::Need::Nothing;
                     ++seat) {
                }
            }
            const std::int64_t t0 = threadCpuNs();
            const GameAction a = robots[size_t(seat)]->act(game, seat);
            const std::int64_t t1 = threadCpuNs();
            cpu[size_t(seat)] += t1 - t0;
            out.cost[size_t(bySeat[size_t(seat)])].decisions.add(t1 - t0);
            const GameEngine::Refusal r = game.apply(seat, a);
            if (r != GameEngine::Refusal::None) {
                ++out.refused;
                failed = true;
                std::fprintf(stderr, "game %llu: %s refused: %s\n",
                             static_cast<unsigned long long>(firstSeed + std::uint64_t(g)),
                             levelName(bySeat[size_t(seat)]), GameEngine::describe(r));
            }
            game.takeEvents();
        }
        out.rounds.push_back(game.round());
        for (int s = 0; s < seats; ++s) {
            LevelCost& cost = out.cost[size_t(bySeat[size_t(s)])];
            cost.cpuPerGame.push_back(double(cpu[size_t(s)]) / 1e9);
            if (const auto* expert = dynamic_cast<const ExpertRobot*>(robots[size_t(s)].get())) {
                cost.stepsPerGame.push_back(double(expert->stepsSpent()));
                cost.skipped += expert->searchesSkipped();
            }
        }
        if (firstLevel >= 0)
            ++out.began[size_t(firstLevel)];
        if (game.isOver() && game.winner() >= 0) {
            const int level = int(bySeat[size_t(game.winner())]);
            ++out.wins[size_t(level)];
            out.wonBegun[size_t(level)] += level == firstLevel;
            continue;
        }
        ++out.unfinished;
        if (qEnvironmentVariableIsSet("ARENA_DEBUG")) {
            std::fprintf(stderr, "unfinished game %llu:",
                         static_cast<unsigned long long>(firstSeed + std::uint64_t(g)));
            for (int s = 0; s < seats; ++s)
                std::fprintf(stderr, " %s%s:%d countries/%d armies/%zu cards",
                             levelName(bySeat[size_t(s)]), game.isActive(s) ? "" : "(out)",
                             game.countriesOf(s), game.armiesOf(s), game.cards(s).size());
            std::fprintf(stderr, "\n");
        }
    }
    return out;
}

struct RuleSet
{
    const char* name;
    GameRules rules;
};

// The rule sets players choose. Gifts change nothing in play and are left
// out; hidden card counts matter only where a defeated player's cards are
// taken.
std::vector<RuleSet> ruleSets()
{
    GameRules base;
    std::vector<RuleSet> sets;
    sets.push_back({"default", base});
    GameRules r = base;
    r.increasingCards = true;
    sets.push_back({"increasing", r});
    r = base;
    r.capitals = true;
    sets.push_back({"capitals", r});
    r = base;
    r.increasingCards = r.receiveCards = r.placeBeforeAttack = true;
    sets.push_back({"increasing+receive+place-first", r});
    r = base;
    r.blind = true;
    sets.push_back({"blind", r});
    r = base;
    r.hideCards = r.receiveCards = true;
    sets.push_back({"hide-cards+receive", r});
    r = base;
    r.increasingCards = r.receiveCards = r.placeBeforeAttack = r.capitals = r.blind = r.hideCards =
        true;
    sets.push_back({"all", r});
    return sets;
}

struct Seating
{
    const char* name;
    const char* seats;
};

const std::vector<Seating>& seatings()
{
    static const std::vector<Seating> list = {
        {"hard-v-5-normal", "hard,normal,normal,normal,normal,normal"},
        {"hard-v-normal", "hard,normal"},
        {"normal-v-5-easy", "normal,easy,easy,easy,easy,easy"},
        {"easy-v-random", "easy,random"},
        {"normal-v-random", "normal,random"},
        {"hard-v-random", "hard,random"},
        // The Expert's seatings think for a while: only when named.
        {"expert-v-5-hard", "expert,hard,hard,hard,hard,hard"},
        {"expert-v-hard", "expert,hard"},
    };
    return list;
}

bool thinksLong(const Seating& seating)
{
    return std::strncmp(seating.name, "expert", 6) == 0;
}

bool wanted(const QStringList& filter, const char* name)
{
    return filter.isEmpty() || filter.contains(QLatin1String(name));
}

void printCosts(const std::array<LevelCost, LevelCount>& cost)
{
    for (int l = 0; l < LevelCount; ++l) {
        const LevelCost& c = cost[size_t(l)];
        if (c.decisions.count() == 0)
            continue;
        std::printf("  %-7s decision: median %.3f ms, p99 %.3f ms over %lld decisions; "
                    "CPU per robot and game: median %.4f s, max %.4f s\n",
                    levelName(Robot::Level(l)), c.decisions.percentileMs(0.5),
                    c.decisions.percentileMs(0.99), static_cast<long long>(c.decisions.count()),
                    median(c.cpuPerGame), maximum(c.cpuPerGame));
        if (!c.stepsPerGame.empty())
            std::printf("  %-7s decisions played out per robot and game: median %.0f, max %.0f; "
                        "%ld searches left out\n",
                        levelName(Robot::Level(l)), median(c.stepsPerGame), maximum(c.stepsPerGame),
                        c.skipped);
    }
}

// With ownGames every cell plays games of its own, its seeds set apart by
// the rule set and the map: otherwise every cell plays the same seeds, the
// same deals and the same draws for who begins, which suits comparing rule
// sets but makes the cells' results move together, so that a column is worth
// far fewer games than it plays.
int runMatrix(MapStore& maps, const QStringList& mapIds, const QStringList& ruleFilter,
              const QStringList& seatingFilter, int games, std::uint64_t seed, bool ownGames,
              int cap, int jobs)
{
    struct Cell
    {
        const RuleSet* rules;
        QString mapName;
        std::shared_ptr<const Board> board;
        const Seating* seating;
        std::vector<Robot::Level> levels;
        std::uint64_t firstSeed;
        Outcome outcome;
    };
    const std::vector<RuleSet> sets = ruleSets();
    std::vector<std::shared_ptr<const Board>> boards;
    std::vector<QString> names;
    std::vector<int> ids;
    for (const QString& id : mapIds) {
        const MapStore::Entry* entry = maps.find(id.toInt());
        if (!entry) {
            std::fprintf(stderr, "no map %s\n", qPrintable(id));
            return 2;
        }
        boards.push_back(std::make_shared<const Board>(entry->map));
        names.push_back(entry->map.name);
        ids.push_back(id.toInt());
    }
    std::vector<Cell> cells;
    for (size_t r = 0; r < sets.size(); ++r) {
        const RuleSet& set = sets[r];
        if (!wanted(ruleFilter, set.name))
            continue;
        for (size_t m = 0; m < boards.size(); ++m) {
            const std::uint64_t cellSeed =
                ownGames ? seed + std::uint64_t(games) * (r * 64 + std::uint64_t(ids[m])) : seed;
            for (const Seating& seating : seatings()) {
                if (seatingFilter.isEmpty() ? thinksLong(seating)
                                            : !seatingFilter.contains(QLatin1String(seating.name)))
                    continue;
                Cell cell{&set, names[m], boards[m], &seating, {}, cellSeed, {}};
                parseLevels(QLatin1String(seating.seats), &cell.levels);
                cells.push_back(std::move(cell));
            }
        }
    }

    const auto started = std::chrono::steady_clock::now();
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < cells.size(); i = next++) {
            Cell& c = cells[i];
            c.outcome = play(c.board, c.rules->rules, c.levels, games, c.firstSeed, cap);
        }
    };
    std::vector<std::thread> threads;
    for (int j = 1; j < jobs; ++j)
        threads.emplace_back(worker);
    worker();
    for (std::thread& t : threads)
        t.join();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::printf("%d games a cell, seed %llu%s, round cap %d\n\n", games,
                static_cast<unsigned long long>(seed), ownGames ? " (games of its own a cell)" : "",
                cap);
    std::printf("| Rules | Map | Seats | Share of the first (95 %% interval) | Fair share | "
                "Won of begun / of the others' | Unfinished | Refused |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    std::array<LevelCost, LevelCount> cost;
    long refused = 0;
    int unfinished = 0;
    int played = 0;
    int won = 0;
    int began = 0;
    int wonOfBegun = 0;
    for (const Cell& c : cells) {
        const Robot::Level first = c.levels.front();
        const int seatsOfFirst = int(std::count(c.levels.begin(), c.levels.end(), first));
        const int k = c.outcome.wins[size_t(first)];
        const auto [low, high] = wilson(k, games);
        const int begun = c.outcome.began[size_t(first)];
        const int wonBegun = c.outcome.wonBegun[size_t(first)];
        std::printf("| %s | %s | %s | %s %.1f %% (%.1f to %.1f) | %.1f %% | %d/%d, %d/%d | %d | "
                    "%ld |\n",
                    c.rules->name, qPrintable(c.mapName), c.seating->name, levelName(first),
                    100.0 * k / std::max(games, 1), 100 * low, 100 * high,
                    100.0 * seatsOfFirst / double(c.levels.size()), wonBegun, begun, k - wonBegun,
                    games - begun, c.outcome.unfinished, c.outcome.refused);
        began += begun;
        wonOfBegun += wonBegun;
        won += k;
        for (int l = 0; l < LevelCount; ++l)
            cost[size_t(l)].add(c.outcome.cost[size_t(l)]);
        refused += c.outcome.refused;
        unfinished += c.outcome.unfinished;
        played += c.outcome.games;
    }
    const auto [low, high] = wilson(won, played);
    std::printf("\nthe first level won %d of %d games, %.1f %% (%.1f to %.1f): %d of the %d it "
                "began, %d of the %d others'\n",
                won, played, 100.0 * won / std::max(played, 1), 100 * low, 100 * high, wonOfBegun,
                began, won - wonOfBegun, played - began);
    // Who begins is drawn, and in two-seat games it decides much: the share
    // with both kinds weighed alike is free of that draw's luck.
    if (began > 0 && began < played)
        std::printf("weighing the games it began and the others' alike: %.1f %%\n",
                    50.0 * wonOfBegun / began + 50.0 * (won - wonOfBegun) / (played - began));
    std::printf("%d games in %.1f s (%d jobs), %d unfinished, %ld moves refused\n", played, seconds,
                jobs, unfinished, refused);
    printCosts(cost);
    return refused == 0 && unfinished == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Robot against robot, headless."));
    parser.addHelpOption();
    const QCommandLineOption gamesOption(QStringLiteral("games"),
                                         QStringLiteral("Games to play (a cell, with --matrix)."),
                                         QStringLiteral("n"), QStringLiteral("100"));
    const QCommandLineOption mapOption(QStringLiteral("map"),
                                       QStringLiteral("Default map id (1 is World)."),
                                       QStringLiteral("id"), QStringLiteral("1"));
    const QCommandLineOption dataOption(
        QStringLiteral("data"), QStringLiteral("Directory holding maps/."), QStringLiteral("dir"));
    const QCommandLineOption seatsOption(
        QStringLiteral("seats"),
        QStringLiteral("Comma-separated levels, one per seat: random, easy, normal, hard, expert."),
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
    const QCommandLineOption hideOption(QStringLiteral("hide-cards"),
                                        QStringLiteral("Card counts only to their owner."));
    const QCommandLineOption matrixOption(
        QStringLiteral("matrix"),
        QStringLiteral("Every rule set on every map of --maps for every seating."));
    const QCommandLineOption mapsOption(QStringLiteral("maps"),
                                        QStringLiteral("Map ids of the matrix."),
                                        QStringLiteral("ids"), QStringLiteral("1,2,3"));
    const QCommandLineOption ruleSetsOption(
        QStringLiteral("rule-sets"),
        QStringLiteral("Only these rule sets of the matrix: default, increasing, capitals, "
                       "increasing+receive+place-first, blind, hide-cards+receive, all."),
        QStringLiteral("names"));
    const QCommandLineOption seatingsOption(
        QStringLiteral("seatings"),
        QStringLiteral("Only these seatings of the matrix: hard-v-5-normal, hard-v-normal, "
                       "normal-v-5-easy, easy-v-random, normal-v-random, hard-v-random; "
                       "expert-v-5-hard and expert-v-hard only when named."),
        QStringLiteral("names"));
    const QCommandLineOption ownGamesOption(
        QStringLiteral("own-games"),
        QStringLiteral("Every cell of the matrix plays games of its own rather than the same "
                       "seeds."));
    const QCommandLineOption jobsOption(QStringLiteral("jobs"),
                                        QStringLiteral("Cells of the matrix played at once."),
                                        QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption playoutsOption(
        QStringLiteral("expert-playouts"),
        QStringLiteral("The Expert's playouts per search (four times as many with one rival "
                       "left)."),
        QStringLiteral("n"), QString::number(expertBudget.playouts));
    const QCommandLineOption gameStepsOption(
        QStringLiteral("expert-game-steps"),
        QStringLiteral("The Expert's allowance: decisions played out in a game at most."),
        QStringLiteral("n"), QString::number(expertBudget.gameSteps));
    const QCommandLineOption thinkOption(
        QStringLiteral("expert-cap-ms"),
        QStringLiteral("The Expert's processor time per search at most, in milliseconds "
                       "(half as long again with one rival left)."),
        QStringLiteral("ms"), QString::number(expertBudget.capNs / 1'000'000));
    const QCommandLineOption rivalTurnsOption(
        QStringLiteral("expert-rival-turns"),
        QStringLiteral("Turns of the other seats the Expert plays out after its own."),
        QStringLiteral("n"), QString::number(expertBudget.rivalTurns));
    const QCommandLineOption ownTurnsOption(
        QStringLiteral("expert-own-turns"),
        QStringLiteral("Later turns of its own the Expert plays out."), QStringLiteral("n"),
        QString::number(expertBudget.ownTurns));
    const QCommandLineOption firstOwnTurnsOption(
        QStringLiteral("expert-first-own-turns"),
        QStringLiteral("The Expert's own turns played out after the first placing."),
        QStringLiteral("n"), QString::number(expertBudget.firstOwnTurns));
    parser.addOptions({playoutsOption, gameStepsOption, thinkOption, rivalTurnsOption,
                       ownTurnsOption, firstOwnTurnsOption});
    parser.addOptions({gamesOption, mapOption, dataOption, seatsOption, seedOption, capOption,
                       increasingOption, blindOption, capitalsOption, placeFirstOption, cardsOption,
                       hideOption, matrixOption, mapsOption, ruleSetsOption, seatingsOption,
                       ownGamesOption, jobsOption});
    parser.process(app);
    expertBudget.playouts = parser.value(playoutsOption).toInt();
    expertBudget.capNs = parser.value(thinkOption).toLongLong() * 1'000'000;
    expertBudget.gameSteps = parser.value(gameStepsOption).toLongLong();
    expertBudget.rivalTurns = parser.value(rivalTurnsOption).toInt();
    expertBudget.ownTurns = parser.value(ownTurnsOption).toInt();
    expertBudget.firstOwnTurns = parser.value(firstOwnTurnsOption).toInt();

    const QString data =
        parser.isSet(dataOption)
            ? parser.value(dataOption)
            : QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../run"));
    MapStore maps;
    maps.loadDefaultMaps(data);
    const int games = parser.value(gamesOption).toInt();
    const int cap = parser.value(capOption).toInt();
    const std::uint64_t firstSeed = parser.value(seedOption).toULongLong();

    if (parser.isSet(matrixOption)) {
        const auto list = [&](const QCommandLineOption& o) {
            return parser.isSet(o) ? parser.value(o).split(QLatin1Char(',')) : QStringList();
        };
        return runMatrix(maps, parser.value(mapsOption).split(QLatin1Char(',')),
                         list(ruleSetsOption), list(seatingsOption), games, firstSeed,
                         parser.isSet(ownGamesOption), cap,
                         std::clamp(parser.value(jobsOption).toInt(), 1, 16));
    }

    std::vector<Robot::Level> levels;
    if (!parseLevels(parser.value(seatsOption), &levels)) {
        std::fprintf(stderr, "2 to 6 seats of random, easy, normal, hard, expert\n");
        return 2;
    }
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
    rules.hideCards = parser.isSet(hideOption);

    const auto started = std::chrono::steady_clock::now();
    const Outcome out = play(board, rules, levels, games, firstSeed, cap);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const int seats = int(levels.size());

    std::map<Robot::Level, int> seatsOfLevel;
    for (Robot::Level l : levels)
        ++seatsOfLevel[l];
    std::printf("%d games on %s, %d seats, seed %llu, round cap %d\n", games,
                qPrintable(entry->map.name), seats, static_cast<unsigned long long>(firstSeed),
                cap);
    for (const auto& [level, n] : seatsOfLevel) {
        const int k = out.wins[size_t(level)];
        const auto [low, high] = wilson(k, games);
        std::printf(
            "  %-7s %d seat(s): won %5.1f%% of games (95%% CI %.1f-%.1f%%), fair share %.1f%%\n",
            levelName(level), n, 100.0 * k / std::max(games, 1), 100 * low, 100 * high,
            100.0 * n / seats);
        std::printf("          won %d of the %d games it began\n", out.wonBegun[size_t(level)],
                    out.began[size_t(level)]);
    }
    std::vector<int> rounds = out.rounds;
    std::sort(rounds.begin(), rounds.end());
    double meanRounds = 0;
    for (int r : rounds)
        meanRounds += r;
    meanRounds /= double(std::max<size_t>(rounds.size(), 1));
    std::printf("  unfinished at the cap: %d, moves refused: %ld\n", out.unfinished, out.refused);
    std::printf("  rounds per game: mean %.1f, median %d, max %d\n", meanRounds,
                rounds.empty() ? 0 : rounds[rounds.size() / 2], rounds.empty() ? 0 : rounds.back());
    printCosts(out.cost);
    std::printf("  %.1f games per second\n", games / std::max(seconds, 1e-9));
    return out.refused == 0 && out.unfinished == 0 ? 0 : 1;
}
