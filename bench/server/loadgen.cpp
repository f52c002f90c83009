// Connects N clients to a local game server over loopback, logs them in,
// and has each say one global chat line per second. Every client measures
// the time from a line's sending to its delivery; the program prints the
// delivered lines per second, the latency percentiles and, when it started
// the server itself, the server's resident memory.
//
// With --games N the chat goes on while N robot games run at once (a soak):
// each game is opened by a host login that seats three robots, starts it
// and drops its line, so that a robot stands in for it; when a game ends the
// next one opens with a new host. The program then also prints the games
// finished per second and the server's memory at the start and the end.
// With --no-save the server keeps its running games in memory only, which
// is the other half of weighing what saving them costs.
//
// With --relogin every client, once registered, hangs up and logs in again
// on a new connection: the program prints how fast accounts that exist log
// in, apart from the registrations before them.
//
// With --attack the chat goes on under attack: connections from other
// loopback addresses that answer keep-alives and never log in, password
// guessers at one account, each coming back whenever the server drops it,
// and a flood of logins from one address, each connection closed as soon as
// its guess is sent. The server then hashes passwords at their real cost.
// Meanwhile the account's owner logs in from an address of his own every
// few seconds, and newcomers register from fresh addresses; the program
// prints how long the owner waited, during the attack and after it, and how
// many newcomers got in.

#include "message.h"
#include "protocol.h"
#include "robotgamehost.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QLoggingCategory>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include <unistd.h>

namespace {

constexpr int MaxClients = 5000;
constexpr int MaxSeconds = 300;
constexpr int MaxGames = 1000;
// Connections opened at once during the ramp-up, below the listen backlog.
constexpr int ConnectBatch = 40;
constexpr int TickMs = 10;
constexpr int TicksPerSecond = 1000 / TickMs;
// Latency histogram: 10 microsecond buckets up to 10 seconds.
constexpr qint64 BucketNs = 10'000;
constexpr int Buckets = 1'000'000;

struct Stats
{
    std::vector<quint32> histogram = std::vector<quint32>(Buckets + 1, 0);
    qint64 delivered = 0;
    qint64 sent = 0;

    void record(qint64 latencyNs)
    {
        ++delivered;
        ++histogram[size_t(std::clamp<qint64>(latencyNs / BucketNs, 0, Buckets))];
    }

    double percentileMs(double p) const
    {
        if (p >= 1.0) {
            for (size_t i = histogram.size(); i-- > 0;) {
                if (histogram[i])
                    return double(i) * BucketNs / 1e6;
            }
            return 0;
        }
        const qint64 target = qint64(p * double(delivered));
        qint64 seen = 0;
        for (size_t i = 0; i < histogram.size(); ++i) {
            seen += histogram[i];
            if (seen > target)
                return double(i) * BucketNs / 1e6;
        }
        return double(Buckets) * BucketNs / 1e6;
    }
};

QElapsedTimer clock_;
bool measuring = false;
// Told by the first client of every game that ends on the server.
std::function<void(int)> gameEnded;

class Client : public QObject
{
public:
    // An existing account logs in rather than registering first.
    Client(int index, const QString& nickname, Stats& stats, bool existing = false)
        : m_index(index), m_nick(nickname.toLatin1()), m_stats(stats), m_triedLogin(existing)
    {
        QObject::connect(&m_socket, &QTcpSocket::readyRead, this, [this] { read(); });
        QObject::connect(&m_socket, &QTcpSocket::disconnected, this, [this] { m_lost = true; });
    }

    void start(quint16 port)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    }
    bool isLoggedIn() const { return m_loggedIn; }
    bool isLost() const { return m_lost; }
    bool hasAnswer() const { return m_loggedIn || m_lost || m_refused; }

    void say()
    {
        Message m = Protocol::message(Opcode::GlobalChat);
        const QByteArray text =
            "t:" + QByteArray::number(m_index) + ':' + QByteArray::number(clock_.nsecsElapsed());
        m.addString(text.constData());
        m_socket.write(m.data());
        ++m_stats.sent;
    }

private:
    void send(std::initializer_list<const char*> strings, Opcode opcode, bool tail)
    {
        Message m = Protocol::message(opcode);
        for (const char* s : strings)
            m.addString(s);
        if (tail) {
            m.addInt(Protocol::Version);
            m.addString("loadgen");
        }
        m_socket.write(m.data());
    }

    void read()
    {
        char buffer[16384];
        for (;;) {
            const qint64 n = m_socket.read(buffer, sizeof buffer);
            if (n <= 0)
                return;
            // The lines of one read arrived together: one clock reading
            // serves them all.
            m_readAt = clock_.nsecsElapsed();
            const auto* bytes = reinterpret_cast<const unsigned char*>(buffer);
            qint64 pos = 0;
            while (pos < n) {
                // A whole chat line is counted where it lies; anything else,
                // and a line cut by the end of the read, is decoded.
                if (m_incoming.state() == Message::Empty) {
                    const int whole = chatLine(bytes + pos, n - pos);
                    if (whole > 0) {
                        pos += whole;
                        continue;
                    }
                }
                const int used = m_incoming.feed(bytes + pos, int(n - pos));
                if (used <= 0) {
                    m_socket.abort();
                    return;
                }
                pos += used;
                if (m_incoming.isComplete()) {
                    handle(m_incoming);
                    m_incoming.clear();
                }
            }
        }
    }

    // The length of the global chat line (opcode, nickname, text) that
    // starts at bytes, once it has been counted; 0 for any other message, or
    // one that is not whole, which the decoder then takes.
    int chatLine(const unsigned char* bytes, qint64 n)
    {
        const auto word = [bytes](qint64 at) {
            return qint32(quint32(bytes[at]) << 24 | quint32(bytes[at + 1]) << 16 |
                          quint32(bytes[at + 2]) << 8 | quint32(bytes[at + 3]));
        };
        constexpr int Head = MessageField::HeadSize;
        if (n < Message::CountSize + Head || word(0) != 3 ||
            bytes[Message::CountSize] != MessageField::Integer ||
            word(Message::CountSize + 1) != qint32(Opcode::GlobalChat))
            return 0;
        qint64 pos = Message::CountSize + Head;
        const char* text = nullptr;
        qint32 length = 0;
        for (int field = 1; field <= 2; ++field) {
            if (n < pos + Head || bytes[pos] != MessageField::String)
                return 0;
            length = word(pos + 1);
            if (length < 0 || length > MessageField::MaxLength || n < pos + Head + length)
                return 0;
            text = reinterpret_cast<const char*>(bytes + pos + Head);
            pos += Head + length;
        }
        chatText(text, length);
        return int(pos);
    }

    // A line this program sent reads "t:<client>:<nanoseconds>".
    void chatText(const char* text, qint64 length)
    {
        if (!measuring || length < 3 || text[0] != 't' || text[1] != ':')
            return;
        qint64 at = length;
        while (at > 0 && text[at - 1] != ':')
            --at;
        qint64 stamp = 0;
        for (; at < length && text[at] >= '0' && text[at] <= '9'; ++at)
            stamp = stamp * 10 + (text[at] - '0');
        m_stats.record(m_readAt - stamp);
    }

    void handle(const Message& m)
    {
        // Every chat line of every client comes through here: nothing is
        // allocated for it.
        switch (Opcode(Protocol::opcodeOf(m))) {
        case Opcode::Start:
            if (m_triedLogin)
                send({m_nick.constData(), "load"}, Opcode::Login, true);
            else
                send({m_nick.constData(), "load", "", "", "", "", "", "", "", ""}, Opcode::Register,
                     true);
            break;
        case Opcode::Success:
            m_loggedIn = true;
            break;
        case Opcode::Failure:
            // Taken from an earlier run against the same server: log in.
            if (m.getInt(1) == qint32(FailureCode::NicknameTaken) && !m_triedLogin) {
                m_triedLogin = true;
                send({m_nick.constData(), "load"}, Opcode::Login, true);
            } else {
                m_refused = true;
            }
            break;
        case Opcode::GlobalChat:
            if (const char* text = m.getString(2))
                chatText(text, qint64(std::strlen(text)));
            break;
        case Opcode::Ping:
            m_socket.write(Protocol::message(Opcode::Ping).data());
            break;
        case Opcode::EndGame:
            if (m_index == 0 && gameEnded)
                gameEnded(m.getInt(1));
            break;
        default:
            break;
        }
    }

    int m_index;
    QByteArray m_nick;
    Stats& m_stats;
    QTcpSocket m_socket;
    Message m_incoming;
    qint64 m_readAt = 0;
    bool m_loggedIn = false;
    bool m_lost = false;
    bool m_refused = false;
    bool m_triedLogin;
};

qint64 statusField(qint64 pid, const char* field)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// User plus system CPU time of a process in clock ticks, or -1.
qint64 cpuTicks(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // Fields after the command name, which may itself hold spaces.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return fields[11].toLongLong() + fields[12].toLongLong();
}

struct AttackStats
{
    qint64 greeted = 0;
    qint64 refused = 0;
    qint64 guesses = 0;
    qint64 triesLater = 0;
    // Logins sent by the flooders, each on a connection closed at once.
    qint64 flooded = 0;
};

// One attacking connection from its own source address. An idler answers
// keep-alives and nothing else; a guesser tries one password after another
// on the victim's account. Either comes back shortly after the server drops
// it, as a persistent attacker would.
class Attacker : public QObject
{
public:
    enum class Kind { Idler, Guesser, Flooder };

    Attacker(Kind kind, QHostAddress from, quint16 port, AttackStats& stats)
        : m_kind(kind), m_from(std::move(from)), m_port(port), m_stats(stats)
    {}

    void start()
    {
        m_socket = std::make_unique<QTcpSocket>();
        m_greeted = false;
        m_incoming.clear();
        QObject::connect(m_socket.get(), &QTcpSocket::readyRead, this, [this] { read(); });
        QObject::connect(m_socket.get(), &QTcpSocket::disconnected, this, [this] { lost(); });
        QObject::connect(m_socket.get(), &QTcpSocket::errorOccurred, this, [this] { lost(); });
        m_socket->bind(m_from);
        m_socket->connectToHost(QHostAddress::LocalHost, m_port);
    }

private:
    void lost()
    {
        if (m_restarting)
            return;
        m_restarting = true;
        if (!m_greeted)
            ++m_stats.refused;
        m_socket.release()->deleteLater();
        QTimer::singleShot(m_kind == Kind::Flooder ? 5 : 200, this, [this] {
            m_restarting = false;
            start();
        });
    }

    void read()
    {
        const QByteArray bytes = m_socket->readAll();
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
        int pos = 0;
        while (pos < bytes.size()) {
            const int used = m_incoming.feed(data + pos, int(bytes.size()) - pos);
            if (used <= 0) {
                m_socket->abort();
                return;
            }
            pos += used;
            if (m_incoming.isComplete()) {
                handle(m_incoming);
                m_incoming.clear();
            }
        }
    }

    void handle(const Message& m)
    {
        switch (Opcode(Protocol::opcodeOf(m))) {
        case Opcode::Start:
            m_greeted = true;
            ++m_stats.greeted;
            if (m_kind == Kind::Flooder) {
                // Guess and go: the login stays behind on the server.
                guess();
                ++m_stats.flooded;
                m_socket->flush();
                m_socket->abort();
                lost();
            } else if (m_kind == Kind::Guesser) {
                guess();
            }
            break;
        case Opcode::Failure:
            ++m_stats.guesses;
            if (m.getInt(1) == qint32(FailureCode::TryLater))
                ++m_stats.triesLater;
            guess();
            break;
        case Opcode::Ping:
            m_socket->write(Protocol::message(Opcode::Ping).data());
            break;
        default:
            break;
        }
    }

    void guess()
    {
        Message m = Protocol::message(Opcode::Login);
        m.addString("victim");
        m.addString(QByteArray("guess" + QByteArray::number(++m_guess)).constData());
        m.addInt(Protocol::Version);
        m.addString("loadgen");
        m_socket->write(m.data());
    }

    Kind m_kind;
    QHostAddress m_from;
    quint16 m_port;
    AttackStats& m_stats;
    std::unique_ptr<QTcpSocket> m_socket;
    Message m_incoming;
    bool m_greeted = false;
    bool m_restarting = false;
    int m_guess = 0;
};

// One login (or registration) from an address of its own, timed from the
// request to the server's answer. An answer to the right password is the
// success or, for an account already logged in, "already logged on": both
// come only once the password has been checked.
class LoginProbe : public QObject
{
public:
    // The failure code, -1 for a login let in, -2 for no answer.
    using Done = std::function<void(int code, qint64 ms)>;

    LoginProbe(const QHostAddress& from, quint16 port, QByteArray nickname, bool registering,
               Done done)
        : m_nickname(std::move(nickname)), m_registering(registering), m_done(std::move(done))
    {
        QObject::connect(&m_socket, &QTcpSocket::readyRead, this, [this] { read(); });
        QObject::connect(&m_socket, &QTcpSocket::errorOccurred, this, [this] { finish(-2); });
        m_socket.bind(from);
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        // An answer that never comes counts as a refusal after this long.
        QTimer::singleShot(30'000, this, [this] { finish(-2); });
    }

    bool isDone() const { return m_finished; }

private:
    void read()
    {
        const QByteArray bytes = m_socket.readAll();
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
        for (int pos = 0; pos < bytes.size() && !m_finished;) {
            const int used = m_incoming.feed(data + pos, int(bytes.size()) - pos);
            if (used <= 0)
                return finish(-2);
            pos += used;
            if (!m_incoming.isComplete())
                continue;
            switch (Opcode(Protocol::opcodeOf(m_incoming))) {
            case Opcode::Start:
                request();
                break;
            case Opcode::Success:
                finish(-1);
                break;
            case Opcode::Failure:
                finish(m_incoming.getInt(1) == qint32(FailureCode::AlreadyLoggedOn)
                           ? -1
                           : m_incoming.getInt(1));
                break;
            case Opcode::Ping:
                m_socket.write(Protocol::message(Opcode::Ping).data());
                break;
            default:
                break;
            }
            m_incoming.clear();
        }
    }

    void request()
    {
        Message m = Protocol::message(m_registering ? Opcode::Register : Opcode::Login);
        m.addString(m_nickname.constData());
        m.addString("load");
        if (m_registering) {
            for (int i = 0; i < 8; ++i)
                m.addString("");
        }
        m.addInt(Protocol::Version);
        m.addString("loadgen");
        m_asked.start();
        m_socket.write(m.data());
    }

    void finish(int code)
    {
        if (m_finished)
            return;
        m_finished = true;
        m_done(code, m_asked.isValid() ? m_asked.elapsed() : -1);
        m_socket.abort();
    }

    QTcpSocket m_socket;
    Message m_incoming;
    QByteArray m_nickname;
    bool m_registering;
    Done m_done;
    QElapsedTimer m_asked;
    bool m_finished = false;
};

// What the probes saw: the owner's waits, and the newcomers let in.
struct ProbeStats
{
    std::vector<qint64> ownerMs;
    int ownerRefused = 0;
    int newcomers = 0;
    int newcomersIn = 0;
    // The failure codes of refused probes, -2 for no answer.
    QList<int> codes;

    void owner(int code, qint64 ms)
    {
        if (code == -1) {
            ownerMs.push_back(ms);
        } else {
            ++ownerRefused;
            codes.append(code);
        }
    }
    void newcomer(int code)
    {
        if (code == -1)
            ++newcomersIn;
        else
            codes.append(code);
    }
    QString ownerSummary() const
    {
        if (ownerMs.empty())
            return QStringLiteral("no login got in (%1 refused)").arg(ownerRefused);
        std::vector<qint64> sorted = ownerMs;
        std::sort(sorted.begin(), sorted.end());
        return QStringLiteral("%1 logins, median %2 ms, max %3 ms, %4 refused")
            .arg(sorted.size())
            .arg(sorted[sorted.size() / 2])
            .arg(sorted.back())
            .arg(ownerRefused);
    }
    QString refusals() const
    {
        QStringList list;
        for (int code : codes)
            list << (code == -2 ? QStringLiteral("no answer") : QString::number(code));
        return list.isEmpty() ? QStringLiteral("none") : list.join(QLatin1String(", "));
    }
};

// Keeps a number of robot games running, one to a slot: a slot whose game
// ends opens the next one with a host account of its own.
class GameSlots
{
public:
    GameSlots(int count, quint16 port, QString prefix)
        : m_port(port), m_prefix(std::move(prefix)), m_hosts(size_t(count)),
          m_rounds(size_t(count), 0), m_started(size_t(count), false)
    {}

    // The first games open a batch at a time, each slot's start letting the
    // next one in, so that the logins stay below the listen backlog.
    void start()
    {
        while (m_next < int(m_hosts.size()) && m_next < ConnectBatch)
            open(m_next++);
    }

    void ended(int gameId)
    {
        const auto it = m_slotOf.find(gameId);
        if (it == m_slotOf.end())
            return;
        const int slot = it->second;
        m_slotOf.erase(it);
        --m_running;
        if (measuring)
            ++m_finished;
        open(slot);
    }

    int running() const { return m_running; }
    // Slots whose first game has started.
    int opened() const { return m_opened; }
    qint64 finished() const { return m_finished; }
    qint64 failures() const { return m_failures; }

private:
    void open(int slot)
    {
        RobotGameHost::Plan plan;
        plan.nickname =
            QStringLiteral("%1%2_%3").arg(m_prefix).arg(slot).arg(m_rounds[size_t(slot)]++);
        plan.password = QStringLiteral("load");
        plan.handOver = RobotGameHost::HandOver::DropLine;
        auto& host = m_hosts[size_t(slot)];
        // The one before has dropped its line; it may still be unwinding.
        if (host)
            host.release()->deleteLater();
        host = std::make_unique<RobotGameHost>(plan);
        QObject::connect(host.get(), &RobotGameHost::handedOver, host.get(), [this, slot](int id) {
            m_slotOf[id] = slot;
            ++m_running;
            if (!m_started[size_t(slot)]) {
                m_started[size_t(slot)] = true;
                ++m_opened;
                if (m_next < int(m_hosts.size()))
                    open(m_next++);
            }
        });
        QObject::connect(host.get(), &RobotGameHost::failed, host.get(), [this, slot] {
            ++m_failures;
            QTimer::singleShot(1000, [this, slot] { open(slot); });
        });
        host->start(QStringLiteral("127.0.0.1"), m_port);
    }

    quint16 m_port;
    QString m_prefix;
    std::vector<std::unique_ptr<RobotGameHost>> m_hosts;
    std::vector<int> m_rounds;
    std::vector<bool> m_started;
    std::map<int, int> m_slotOf;
    int m_running = 0;
    int m_opened = 0;
    int m_next = 0;
    qint64 m_finished = 0;
    qint64 m_failures = 0;
};

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

int main(int argc, char* argv[])
{
    // Qt's own poll-based event dispatcher handles hundreds of sockets whose
    // write notifiers come and go with every message far more cheaply than
    // the GLib one, which walks a list per change.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    // Every host login names the machine's network adapters, as the client's
    // does; thousands of them would bury the figures.
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Load generator for tarvenix-server."));
    parser.addHelpOption();
    const QCommandLineOption clientsOption(QStringLiteral("clients"),
                                           QStringLiteral("Number of clients (1 to 5000)."),
                                           QStringLiteral("n"), QStringLiteral("100"));
    const QCommandLineOption secondsOption(QStringLiteral("seconds"),
                                           QStringLiteral("Seconds of chat (1 to 300)."),
                                           QStringLiteral("s"), QStringLiteral("30"));
    const QCommandLineOption portOption(
        QStringLiteral("port"), QStringLiteral("Port of a server already running on 127.0.0.1."),
        QStringLiteral("port"));
    const QCommandLineOption serverOption(
        QStringLiteral("server"),
        QStringLiteral("Start this tarvenix-server on a free port with a temporary database "
                       "(default: the one beside this program's run directory)."),
        QStringLiteral("path"));
    const QCommandLineOption attackOption(
        QStringLiteral("attack"),
        QStringLiteral("Chat under attack: idle connections that never log in and password "
                       "guessers, from other loopback addresses; real password hashing."));
    const QCommandLineOption idlersOption(
        QStringLiteral("idlers"), QStringLiteral("Idle connections in the attack (default 1000)."),
        QStringLiteral("n"), QStringLiteral("1000"));
    const QCommandLineOption guessersOption(
        QStringLiteral("guessers"), QStringLiteral("Password guessers in the attack (default 8)."),
        QStringLiteral("n"), QStringLiteral("8"));
    const QCommandLineOption gamesOption(
        QStringLiteral("games"),
        QStringLiteral("Robot games kept running during the chat (0 to 1000; the server's robots "
                       "move without delay)."),
        QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption floodersOption(
        QStringLiteral("flooders"),
        QStringLiteral("Connections from one address that each send a login and close at once, "
                       "over and over, in the attack (default 8)."),
        QStringLiteral("n"), QStringLiteral("8"));
    const QCommandLineOption dbOption(
        QStringLiteral("db"),
        QStringLiteral("The started server's database: a PostgreSQL URL (an empty database), "
                       "otherwise a fresh SQLite file."),
        QStringLiteral("url"));
    const QCommandLineOption reloginOption(
        QStringLiteral("relogin"),
        QStringLiteral("Once registered, every client logs in again on a new connection; the "
                       "logins of existing accounts are timed on their own."));
    const QCommandLineOption noSaveOption(
        QStringLiteral("no-save"),
        QStringLiteral("The started server does not save its running games (to weigh what "
                       "saving costs)."));
    parser.addOptions({clientsOption, secondsOption, portOption, serverOption, attackOption,
                       idlersOption, guessersOption, floodersOption, gamesOption, dbOption,
                       noSaveOption, reloginOption});
    parser.process(app);
    const bool attack = parser.isSet(attackOption);
    const int idlers = attack ? parser.value(idlersOption).toInt() : 0;
    const int guessers = attack ? parser.value(guessersOption).toInt() : 0;
    const int flooders = attack ? parser.value(floodersOption).toInt() : 0;

    const int clients = parser.value(clientsOption).toInt();
    const int seconds = parser.value(secondsOption).toInt();
    const int games = parser.value(gamesOption).toInt();
    if (clients < 1 || clients > MaxClients || seconds < 1 || seconds > MaxSeconds || games < 0 ||
        games > MaxGames) {
        std::fprintf(stderr, "clients must be 1..%d, seconds 1..%d and games 0..%d\n", MaxClients,
                     MaxSeconds, MaxGames);
        return 2;
    }

    QTemporaryDir dir;
    QProcess server;
    quint16 port = quint16(parser.value(portOption).toUInt());
    if (!parser.isSet(portOption)) {
        const QString program = parser.isSet(serverOption)
                                    ? parser.value(serverOption)
                                    : QCoreApplication::applicationDirPath() +
                                          QStringLiteral("/../run/tarvenix-server");
        port = freePort();
        server.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        server.setStandardErrorFile(dir.filePath(QStringLiteral("server.log")));
        // The chat clients crowd 127.0.0.1, which is trusted; attackers come
        // from other addresses and meet every limit.
        QStringList arguments{QStringLiteral("--port"),
                              QString::number(port),
                              QStringLiteral("--db"),
                              parser.isSet(dbOption) ? parser.value(dbOption)
                                                     : dir.filePath(QStringLiteral("load.db")),
                              QStringLiteral("--trust"),
                              QStringLiteral("127.0.0.1")};
        // Games need the default maps beside the server; the chat alone
        // starts quicker without them. A dropped host's seat stays held, with
        // its robot, for longer than any run.
        if (games > 0)
            arguments << QStringLiteral("--robot-delay") << QStringLiteral("0")
                      << QStringLiteral("--rejoin-grace") << QStringLiteral("3600");
        else
            arguments << QStringLiteral("--data") << dir.path();
        if (!attack)
            arguments << QStringLiteral("--fast-hashing");
        if (parser.isSet(noSaveOption))
            arguments << QStringLiteral("--no-save-games");
        server.start(program, arguments);
        if (!server.waitForStarted(5000)) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(program));
            return 1;
        }
        QTcpSocket probe;
        for (int i = 0; i < 100; ++i) {
            probe.connectToHost(QHostAddress::LocalHost, port);
            if (probe.waitForConnected(100))
                break;
            probe.abort();
            QThread::msleep(50);
        }
    }

    clock_.start();
    Stats stats;
    std::vector<std::unique_ptr<Client>> pool;
    const QString prefix = QStringLiteral("ld%1_").arg(QCoreApplication::applicationPid() % 1000);
    for (int i = 0; i < clients; ++i)
        pool.push_back(std::make_unique<Client>(i, prefix + QString::number(i), stats));
    // The account the guessers go for, registered like any other.
    if (attack)
        pool.push_back(std::make_unique<Client>(clients, QStringLiteral("victim"), stats));
    const int logins = int(pool.size());

    // Ramp-up: keep a bounded number of logins in flight.
    const auto rampUp = [&pool, port] {
        const int total = int(pool.size());
        int started = 0;
        QElapsedTimer ramp;
        ramp.start();
        // Registrations are hashed at their real cost under --attack: a tenth
        // of a second or more each, one at a time.
        while (ramp.elapsed() < 600'000) {
            int pending = 0;
            int answered = 0;
            for (int i = 0; i < started; ++i) {
                if (pool[size_t(i)]->hasAnswer())
                    ++answered;
                else
                    ++pending;
            }
            if (answered == total)
                break;
            while (started < total && pending < ConnectBatch) {
                pool[size_t(started++)]->start(port);
                ++pending;
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        }
        const int loggedIn = int(
            std::count_if(pool.begin(), pool.end(), [](const auto& c) { return c->isLoggedIn(); }));
        return std::pair{loggedIn, double(ramp.elapsed()) / 1000.0};
    };
    auto [loggedIn, rampSeconds] = rampUp();
    std::printf("clients %d logged in %d (ramp-up %.1f s, %.0f/s)\n", logins, loggedIn, rampSeconds,
                double(loggedIn) / rampSeconds);
    if (parser.isSet(reloginOption)) {
        pool.clear();
        // Until the server has seen every connection go.
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        for (int i = 0; i < clients; ++i)
            pool.push_back(std::make_unique<Client>(i, prefix + QString::number(i), stats, true));
        std::tie(loggedIn, rampSeconds) = rampUp();
        std::printf("existing accounts: %d of %d logged in again in %.2f s (%.0f/s)\n", loggedIn,
                    clients, rampSeconds, double(loggedIn) / rampSeconds);
    }

    // The attackers: eight idlers to an address (the server's limit for
    // connections not logged in), each guesser from an address of its own.
    AttackStats attackStats;
    std::vector<std::unique_ptr<Attacker>> attackers;
    for (int i = 0; i < idlers; ++i) {
        const QHostAddress from(
            QStringLiteral("127.0.%1.%2").arg(1 + i / 8 / 250).arg(1 + i / 8 % 250));
        attackers.push_back(
            std::make_unique<Attacker>(Attacker::Kind::Idler, from, port, attackStats));
    }
    for (int i = 0; i < guessers; ++i) {
        const QHostAddress from(QStringLiteral("127.0.200.%1").arg(1 + i));
        attackers.push_back(
            std::make_unique<Attacker>(Attacker::Kind::Guesser, from, port, attackStats));
    }
    for (int i = 0; i < flooders; ++i) {
        attackers.push_back(std::make_unique<Attacker>(Attacker::Kind::Flooder,
                                                       QHostAddress(QStringLiteral("127.0.201.1")),
                                                       port, attackStats));
    }
    for (size_t i = 0; i < attackers.size(); ++i) {
        attackers[i]->start();
        if (i % ConnectBatch == ConnectBatch - 1)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    if (attack) {
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        std::printf("attack: %d idlers, %d guessers and %d flooders started, %lld greeted\n",
                    idlers, guessers, flooders, attackStats.greeted);
    }

    GameSlots gameSlots(games, port,
                        QStringLiteral("g%1_").arg(QCoreApplication::applicationPid() % 1000));
    if (games > 0) {
        gameEnded = [&gameSlots](int id) {
            gameSlots.ended(id);
        };
        QElapsedTimer opening;
        opening.start();
        gameSlots.start();
        while (opening.elapsed() < 60'000 && gameSlots.opened() < games)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        std::printf("games started in %d of %d slots, %d running (opened in %.1f s, %lld host "
                    "failures)\n",
                    gameSlots.opened(), games, gameSlots.running(),
                    double(opening.elapsed()) / 1000.0, gameSlots.failures());
    }

    // Chat: each client has its own tick within the second, so the lines are
    // spread evenly instead of arriving in one burst.
    measuring = true;
    int tick = 0;
    const int totalTicks = seconds * TicksPerSecond;
    QEventLoop loop;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    const qint64 serverPid = server.state() == QProcess::Running ? server.processId() : 0;
    const qint64 serverCpuBefore = serverPid ? cpuTicks(serverPid) : -1;
    const qint64 ownCpuBefore = cpuTicks(QCoreApplication::applicationPid());
    QElapsedTimer run;
    run.start();
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        // Catch up on ticks the loop was too busy to fire.
        const int due = std::min(totalTicks, int(run.elapsed() / TickMs));
        for (; tick < due; ++tick) {
            for (int i = tick % TicksPerSecond; i < clients; i += TicksPerSecond) {
                if (pool[size_t(i)]->isLoggedIn() && !pool[size_t(i)]->isLost())
                    pool[size_t(i)]->say();
            }
        }
        if (tick >= totalTicks) {
            ticker.stop();
            loop.quit();
        }
    });
    // The server's memory is sampled once a second in the second half, when
    // every queue has reached its steady size.
    qint64 rssKb = -1;
    const qint64 rssStartKb = serverPid ? statusField(serverPid, "VmRSS:") : -1;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (server.state() == QProcess::Running && run.elapsed() > seconds * 500)
            rssKb = std::max(rssKb, statusField(server.processId(), "VmRSS:"));
    });
    sampler.start(1000);
    // Under attack, every three seconds the account's owner logs in from an
    // address of his own, and a newcomer registers from a fresh one.
    ProbeStats during;
    std::vector<std::unique_ptr<LoginProbe>> probes;
    QTimer prober;
    QObject::connect(&prober, &QTimer::timeout, [&] {
        probes.push_back(std::make_unique<LoginProbe>(
            QHostAddress(QStringLiteral("127.0.202.1")), port, "victim", false,
            [&during](int code, qint64 ms) { during.owner(code, ms); }));
        const int n = ++during.newcomers;
        probes.push_back(std::make_unique<LoginProbe>(
            QHostAddress(QStringLiteral("127.0.203.%1").arg(n % 250 + 1)), port,
            "new" + QByteArray::number(QCoreApplication::applicationPid() % 1000) + "_" +
                QByteArray::number(n),
            true, [&during](int code, qint64) { during.newcomer(code); }));
    });
    if (attack)
        prober.start(3000);
    ticker.start(TickMs);
    loop.exec();
    sampler.stop();
    prober.stop();
    const qint64 rssEndKb = serverPid ? statusField(serverPid, "VmRSS:") : -1;
    const int gamesAtEnd = gameSlots.running();
    // Let the last lines arrive.
    QElapsedTimer drain;
    drain.start();
    const qint64 expected = stats.sent * loggedIn;
    while (drain.elapsed() < 5000 && stats.delivered < expected)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    measuring = false;

    const double elapsed = double(run.elapsed()) / 1000.0;
    const double ticks = double(sysconf(_SC_CLK_TCK));
    const double ownCpu =
        double(cpuTicks(QCoreApplication::applicationPid()) - ownCpuBefore) / ticks / elapsed;
    const double serverCpu =
        serverPid ? double(cpuTicks(serverPid) - serverCpuBefore) / ticks / elapsed : -1.0;
    const int lost =
        int(std::count_if(pool.begin(), pool.end(), [](const auto& c) { return c->isLost(); }));
    std::printf("sent %lld lines, delivered %lld of %lld (%.2f%%), %d clients dropped\n",
                stats.sent, stats.delivered, expected,
                expected ? 100.0 * double(stats.delivered) / double(expected) : 0.0, lost);
    std::printf("delivered %.0f messages/s over %.1f s\n", double(stats.delivered) / elapsed,
                elapsed);
    std::printf("latency p50 %.2f ms, p99 %.2f ms, max %.2f ms (10000 means 10 s or more)\n",
                stats.percentileMs(0.50), stats.percentileMs(0.99), stats.percentileMs(1.0));
    std::printf("CPU: generator %.0f%% of one core, server %.0f%%\n", ownCpu * 100.0,
                serverCpu * 100.0);
    if (games > 0)
        std::printf("games: %lld finished, %.2f/s, %d running at the end, %lld host failures; "
                    "server resident memory %lld KiB at the start, %lld KiB at the end\n",
                    gameSlots.finished(), double(gameSlots.finished()) / elapsed, gamesAtEnd,
                    gameSlots.failures(), rssStartKb, rssEndKb);
    if (attack) {
        std::printf("attack: %lld connections greeted, %lld refused or dropped before the "
                    "greeting, %lld guesses answered (%lld told to try later), %lld logins "
                    "flooded\n",
                    attackStats.greeted, attackStats.refused, attackStats.guesses,
                    attackStats.triesLater, attackStats.flooded);
        // The answers still due from the last probes, then the owner once
        // more with the attack over.
        QElapsedTimer settle;
        settle.start();
        const auto allDone = [&probes] {
            return std::all_of(probes.begin(), probes.end(),
                               [](const auto& p) { return p->isDone(); });
        };
        while (!allDone() && settle.elapsed() < 30'000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        attackers.clear();
        ProbeStats after;
        for (int i = 0; i < 3; ++i) {
            LoginProbe probe(QHostAddress(QStringLiteral("127.0.202.1")), port, "victim", false,
                             [&after](int code, qint64 ms) { after.owner(code, ms); });
            while (!probe.isDone())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        std::printf("owner of the attacked account, during the attack: %s\n",
                    qPrintable(during.ownerSummary()));
        std::printf("owner of the attacked account, after the attack: %s\n",
                    qPrintable(after.ownerSummary()));
        std::printf("newcomers registering during the attack: %d of %d got in (%.0f%%)\n",
                    during.newcomersIn, during.newcomers,
                    during.newcomers ? 100.0 * during.newcomersIn / during.newcomers : 0.0);
        std::printf("refused probes (failure codes): %s\n", qPrintable(during.refusals()));
    }
    if (server.state() == QProcess::Running) {
        std::printf("server resident memory %lld KiB (peak %lld KiB)\n", rssKb,
                    statusField(server.processId(), "VmHWM:"));
        pool.clear();
        attackers.clear();
        server.terminate();
        if (!server.waitForFinished(5000)) {
            server.kill();
            server.waitForFinished(5000);
        }
    }
    return 0;
}
