// Decoding throughput of the protocol layer: a 16 MiB stream of server
// messages fed in socket-sized chunks through Message::feed and
// Parser::parse, against memcpy of the same bytes as the ceiling.

#include "message.h"
#include "parser.h"
#include "protocol.h"

#include <QByteArray>
#include <QObject>

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr qsizetype StreamSize = 16 * 1024 * 1024;

struct Stream
{
    QByteArray bytes;
    qint64 messages = 0;
};

void append(Stream& stream, const Message& m)
{
    stream.bytes += m.data();
    ++stream.messages;
}

// What a server sends during busy play: mostly country updates and dice,
// user records and chat lines, and with maps a 200 KiB index now and then.
Stream makeStream(bool withMaps)
{
    Stream stream;
    std::mt19937 random(8822);
    const QByteArray mapBlock(200 * 1024, '\x5a');
    int round = 0;
    while (stream.bytes.size() < StreamSize) {
        ++round;
        for (int i = 0; i < 20; ++i) {
            Message country = Protocol::message(Opcode::Country);
            country.addInt(int(random() % 42) + 1);
            country.addInt(int(random() % 6));
            country.addInt(int(random() % 30) + 1);
            append(stream, country);
        }
        Message dice = Protocol::message(Opcode::Dice);
        for (int i = 0; i < 7; ++i)
            dice.addInt(int(random() % 6) + 1);
        append(stream, dice);

        Message user = Protocol::message(Opcode::User);
        user.addString("somebody_" + QByteArray::number(round % 300));
        for (int value : {1500, 230, 12, 0, 1})
            user.addInt(value);
        user.addString(":-)");
        user.addInt(0);
        user.addInt(0);
        user.addInt(3);
        append(stream, user);

        Message chat = Protocol::message(Opcode::GlobalChat);
        chat.addString("player" + QByteArray::number(round % 50));
        chat.addString(QByteArray("anyone for a game on the island map? ").repeated(1 + round % 3));
        append(stream, chat);

        Message ping = Protocol::message(Opcode::Ping);
        append(stream, ping);

        if (withMaps && round % 2000 == 0) {
            Message map = Protocol::message(Opcode::StartMap);
            map.addInt(round);
            map.addString("Islands");
            map.addString("Sea.png");
            map.addBytes(reinterpret_cast<const unsigned char*>(mapBlock.constData()),
                         int(mapBlock.size()));
            append(stream, map);
        }
    }
    return stream;
}

const Stream& stream(bool withMaps)
{
    static const Stream mixed = makeStream(true);
    static const Stream small = makeStream(false);
    return withMaps ? mixed : small;
}

template <typename Signal> void sink(Parser& parser, QObject& context, Signal signal, qint64& count)
{
    QObject::connect(&parser, signal, &context, [&count](auto&&...) { ++count; });
}

// Every signal goes to a trivial receiver, as the main window connects them.
void connectAll(Parser& parser, QObject& context, qint64& count)
{
    sink(parser, context, &Parser::start, count);
    sink(parser, context, &Parser::success, count);
    sink(parser, context, &Parser::failure, count);
    sink(parser, context, &Parser::newUser, count);
    sink(parser, context, &Parser::user, count);
    sink(parser, context, &Parser::endUser, count);
    sink(parser, context, &Parser::newGame, count);
    sink(parser, context, &Parser::game, count);
    sink(parser, context, &Parser::endGame, count);
    sink(parser, context, &Parser::globalChat, count);
    sink(parser, context, &Parser::gameChat, count);
    sink(parser, context, &Parser::whisper, count);
    sink(parser, context, &Parser::player, count);
    sink(parser, context, &Parser::country, count);
    sink(parser, context, &Parser::robot, count);
    sink(parser, context, &Parser::init, count);
    sink(parser, context, &Parser::mask, count);
    sink(parser, context, &Parser::more, count);
    sink(parser, context, &Parser::decide, count);
    sink(parser, context, &Parser::place, count);
    sink(parser, context, &Parser::attack, count);
    sink(parser, context, &Parser::dice, count);
    sink(parser, context, &Parser::take, count);
    sink(parser, context, &Parser::card, count);
    sink(parser, context, &Parser::winner, count);
    sink(parser, context, &Parser::upgrade, count);
    sink(parser, context, &Parser::exchange, count);
    sink(parser, context, &Parser::exchanged, count);
    sink(parser, context, &Parser::end, count);
    sink(parser, context, &Parser::defend, count);
    sink(parser, context, &Parser::ping, count);
    sink(parser, context, &Parser::clock, count);
    sink(parser, context, &Parser::closed, count);
    sink(parser, context, &Parser::membersChat, count);
    sink(parser, context, &Parser::replace, count);
    sink(parser, context, &Parser::cardCount, count);
    sink(parser, context, &Parser::endPlayer, count);
    sink(parser, context, &Parser::queue, count);
    sink(parser, context, &Parser::startMap, count);
    sink(parser, context, &Parser::continentMap, count);
    sink(parser, context, &Parser::countryMap, count);
    sink(parser, context, &Parser::neighbourMap, count);
    sink(parser, context, &Parser::lineMap, count);
    sink(parser, context, &Parser::endMap, count);
    sink(parser, context, &Parser::slot, count);
    sink(parser, context, &Parser::robotError, count);
    sink(parser, context, &Parser::unknownOpcode, count);
    sink(parser, context, &Parser::warning, count);
}

void report(benchmark::State& state, const Stream& s)
{
    state.SetBytesProcessed(state.iterations() * s.bytes.size());
    state.counters["messages/s"] =
        benchmark::Counter(double(state.iterations() * s.messages), benchmark::Counter::kIsRate);
}

// The chunk is first copied into a read buffer, as the socket read does.
// Without a parser only the framing is measured.
void run(benchmark::State& state, bool withMaps, Parser* parser, qint64& emitted)
{
    const Stream& s = stream(withMaps);
    const qsizetype chunk = state.range(0);
    std::vector<unsigned char> buffer(static_cast<size_t>(chunk));
    Message incoming;

    for (auto _ : state) {
        emitted = 0;
        const auto* bytes = reinterpret_cast<const unsigned char*>(s.bytes.constData());
        for (qsizetype offset = 0; offset < s.bytes.size(); offset += chunk) {
            const int n = int(std::min(chunk, s.bytes.size() - offset));
            std::memcpy(buffer.data(), bytes + offset, size_t(n));
            int position = 0;
            while (position < n) {
                const int used = incoming.feed(buffer.data() + position, n - position);
                if (used < 0) {
                    state.SkipWithError("framing error");
                    return;
                }
                position += used;
                if (incoming.isComplete()) {
                    if (parser)
                        parser->parse(&incoming);
                    else
                        ++emitted;
                    incoming.clear();
                }
            }
        }
        if (emitted != s.messages) {
            state.SkipWithError("not every message was decoded");
            return;
        }
    }
    report(state, s);
}

void decode(benchmark::State& state, bool withMaps)
{
    Parser parser;
    QObject context;
    qint64 emitted = 0;
    connectAll(parser, context, emitted);
    run(state, withMaps, &parser, emitted);
}

void frameOnly(benchmark::State& state, bool withMaps)
{
    qint64 framed = 0;
    run(state, withMaps, nullptr, framed);
}

void copyOnly(benchmark::State& state, bool withMaps)
{
    const Stream& s = stream(withMaps);
    const qsizetype chunk = state.range(0);
    std::vector<unsigned char> buffer(static_cast<size_t>(chunk));
    for (auto _ : state) {
        for (qsizetype offset = 0; offset < s.bytes.size(); offset += chunk) {
            const size_t n = size_t(std::min(chunk, s.bytes.size() - offset));
            std::memcpy(buffer.data(), s.bytes.constData() + offset, n);
            benchmark::DoNotOptimize(buffer.data());
            benchmark::ClobberMemory();
        }
    }
    report(state, s);
}

} // namespace

BENCHMARK_CAPTURE(decode, mixed, true)->Arg(1024)->Arg(64 * 1024)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, small, false)->Arg(1024)->Arg(64 * 1024)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(frameOnly, small, false)
    ->Arg(1024)
    ->Arg(64 * 1024)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(copyOnly, mixed, true)->Arg(1024)->Arg(64 * 1024)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
