#include "gamestatecodec.h"

#include <limits>
#include <string>

namespace {

// Lists longer than this cannot come from any map a server accepts.
constexpr std::uint64_t MaxListLength = 100'000;

class Writer
{
public:
    // A running game is encoded at every turn: the bytes gather in a buffer
    // large enough for World's state, and the result is allocated once.
    Writer() { m_bytes.reserve(1024); }

    void number(std::int64_t v)
    {
        // Zigzag first, so that -1 takes one byte as 1 does.
        auto u = (std::uint64_t(v) << 1) ^ std::uint64_t(v >> 63);
        while (u >= 0x80) {
            m_bytes.push_back(char(0x80 | (u & 0x7f)));
            u >>= 7;
        }
        m_bytes.push_back(char(u));
    }
    void list(const std::vector<int>& values)
    {
        number(std::int64_t(values.size()));
        for (int v : values)
            number(v);
    }
    QByteArray take() const { return QByteArray(m_bytes.data(), qsizetype(m_bytes.size())); }

private:
    std::string m_bytes;
};

class Reader
{
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_bytes.size(); }

    std::int64_t number()
    {
        std::uint64_t u = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (m_at >= m_bytes.size())
                break;
            const auto byte = std::uint8_t(m_bytes[m_at++]);
            u |= std::uint64_t(byte & 0x7f) << shift;
            if (!(byte & 0x80))
                return std::int64_t(u >> 1) ^ -std::int64_t(u & 1);
        }
        m_ok = false;
        return 0;
    }
    int integer()
    {
        const std::int64_t v = number();
        if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
            m_ok = false;
        return m_ok ? int(v) : 0;
    }
    bool flag()
    {
        const std::int64_t v = number();
        m_ok = m_ok && (v == 0 || v == 1);
        return v == 1;
    }
    std::vector<int> list()
    {
        const std::int64_t n = number();
        // Every value takes a byte at least, so the length is checked
        // against what is left before anything is allocated.
        if (!m_ok || n < 0 || std::uint64_t(n) > MaxListLength || n > m_bytes.size() - m_at) {
            m_ok = false;
            return {};
        }
        std::vector<int> values(static_cast<size_t>(n));
        for (int& v : values)
            v = integer();
        return values;
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_at = 0;
    bool m_ok = true;
};

} // namespace

QByteArray GameStateCodec::encode(const GameEngine::State& s)
{
    Writer w;
    w.number(Format);
    w.number(s.seats);
    w.list(s.owners);
    w.list(s.armies);
    w.list(s.movedIn);
    for (const GameEngine::State::Seat& seat : s.seat) {
        w.number(seat.active);
        w.number(seat.countries);
        w.list(seat.cards);
        w.number(seat.capital);
        w.number(seat.setupArmies);
        w.number(seat.setupActed);
        w.number(seat.lastReinforcements);
    }
    w.list(s.deck);
    w.list(s.discards);
    for (int v : {int(s.step), s.startingArmies, s.current, s.firstSeat, s.winner, s.round, s.turns,
                  s.pool, s.setsTraded})
        w.number(v);
    for (bool v : {s.conquered, s.acted, s.placingChosen, s.mustTrade})
        w.number(v);
    for (int v : {s.takeFrom, s.takeTo, s.takeMin})
        w.number(v);
    w.number(s.remainingMs);
    return w.take();
}

std::optional<GameEngine::State> GameStateCodec::decode(const QByteArray& bytes)
{
    Reader r(bytes);
    if (r.number() != Format || !r.ok())
        return std::nullopt;
    GameEngine::State s;
    const int seats = r.integer();
    s.seats = std::uint8_t(seats);
    if (seats != s.seats)
        return std::nullopt;
    s.owners = r.list();
    s.armies = r.list();
    s.movedIn = r.list();
    for (GameEngine::State::Seat& seat : s.seat) {
        seat.active = r.flag();
        seat.countries = r.integer();
        seat.cards = r.list();
        seat.capital = r.integer();
        seat.setupArmies = r.integer();
        seat.setupActed = r.flag();
        seat.lastReinforcements = r.integer();
    }
    s.deck = r.list();
    s.discards = r.list();
    s.step = GameEngine::Step(r.integer());
    for (int* v : {&s.startingArmies, &s.current, &s.firstSeat, &s.winner, &s.round, &s.turns,
                   &s.pool, &s.setsTraded})
        *v = r.integer();
    for (bool* v : {&s.conquered, &s.acted, &s.placingChosen, &s.mustTrade})
        *v = r.flag();
    for (int* v : {&s.takeFrom, &s.takeTo, &s.takeMin})
        *v = r.integer();
    s.remainingMs = r.number();
    if (!r.ok() || !r.atEnd())
        return std::nullopt;
    return s;
}
