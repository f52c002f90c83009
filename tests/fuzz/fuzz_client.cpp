// The client's handlers under a hostile server: the real main window,
// offscreen, is fed well-framed server messages through its Parser. Each
// input first logs in, fills the lobby, enters a running game on a small
// map and deals it; then the input's bytes become further messages of any
// opcode the server sends, with extreme numbers, long or empty texts and
// odd blocks. After them the client must still answer a keep-alive, and
// what it built from the counts it was told must stay within what a game
// can hold. libFuzzer's -timeout and -rss_limit_mb make a hang or a
// blow-up a crash.

#include "../core/testwindow.h"
#include "cards.h"
#include "cardswidget.h"
#include "fuzzcheck.h"
#include "gamerecord.h"
#include "lobbymodel.h"
#include "usersdialog.h"

#include <QApplication>

#include <climits>
#include <cstdint>

namespace {

// The numbers a hostile server likes best, besides those taken raw.
constexpr qint32 Extremes[] = {0,       1,       -1,      2,           3,
                               5,       6,       7,       42,          255,
                               256,     -2,      1 << 16, 1 << 20,     (1 << 30) - 1,
                               1 << 30, INT_MAX, INT_MIN, INT_MIN + 1, 0x7ffffffe,
                               1000000, -1000000};
constexpr int MaxTextLength = 300;
constexpr int MaxBlockLength = 2048;

// The fuzzer's bytes, taken as the fields of messages; zeros once spent.
class Input
{
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    qint32 number()
    {
        const uint8_t kind = byte();
        if (kind < 160)
            return Extremes[kind % std::size(Extremes)];
        if (kind < 224)
            return qint32(kind & 0x1f) - 8;
        quint32 raw = 0;
        for (int i = 0; i < 4; ++i)
            raw = raw << 8 | byte();
        return qint32(raw);
    }
    QByteArray bytes(int limit)
    {
        int length = byte();
        if (length >= 250)
            length = std::min(limit, length * 8);
        QByteArray out;
        for (int i = 0; i < length && !atEnd(); ++i)
            out.append(char(byte()));
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Lives for the whole run, as the program's objects do.
TestWindow* s_client = nullptr;

// Frames the message as the connection would and hands it to the parser.
void deliver(const Message& built)
{
    Message m;
    const QByteArray wire = built.data();
    const int used =
        m.feed(reinterpret_cast<const unsigned char*>(wire.constData()), int(wire.size()));
    FUZZ_CHECK(used == wire.size() && m.isComplete());
    s_client->window->parser()->parse(&m);
}

// A lobby with a running game of three seats on the three-country map,
// the own user playing in seat 0.
void enterGame()
{
    deliver(messageOf({op(Opcode::Start)}));
    deliver(messageOf({op(Opcode::Success), QByteArray("Me")}));
    for (const char* name : {"Ann", "Bob", "Me"}) {
        deliver(messageOf({op(Opcode::NewUser), QByteArray(name), QByteArray("host.example")}));
        deliver(messageOf(
            {op(Opcode::User), QByteArray(name), 1500, 3, 0, 0, 1, QByteArray(""), 0, 0, 1}));
    }
    // Game 1 on map 5 (Three, by Ann), then its options.
    const QVariantList options = {0, 1, 120, 1, 1, 0, 0, 0, 0, 2, 0, 0, 1, 1, 2, 0, 0};
    deliver(messageOf(
        QVariantList{op(Opcode::NewGame), 1, 5, QByteArray("Three"), QByteArray("Ann")} + options));
    deliver(messageOf({op(Opcode::Game), 1, QByteArray("Me"), 1, 2, 3, 1, 0}));
    deliver(
        messageOf({op(Opcode::User), QByteArray("Me"), 1500, 3, 1, 0, 1, QByteArray(""), 0, 0, 1}));
    deliver(messageOf(
        {op(Opcode::User), QByteArray("Ann"), 1500, 3, 1, 0, 1, QByteArray(""), 0, 0, 1}));
    s_client->sendMap();
    deliver(messageOf({op(Opcode::Player), 0, 0, QByteArray("Me")}));
    deliver(messageOf({op(Opcode::Player), 1, 0, QByteArray("Ann")}));
    deliver(messageOf({op(Opcode::Player), 2, 1, QByteArray("Anvil")}));
    for (int country = 1; country <= 3; ++country)
        deliver(messageOf({op(Opcode::Country), country, country - 1, 3}));
    deliver(messageOf({op(Opcode::Init), 5}));
    deliver(messageOf({op(Opcode::Place), 0, 5}));
}

// One message of an opcode the server sends, its fields from the input.
void randomMessage(Input& in)
{
    int count = 0;
    const Protocol::OpcodeFields* table = Protocol::opcodeTable(&count);
    const Protocol::OpcodeFields* row = nullptr;
    // Mostly opcodes the server sends; now and then any number at all.
    const uint8_t pick = in.byte();
    Message m;
    if (pick == 255) {
        m.addInt(in.number());
    } else {
        for (int tries = 0; tries < count && !row; ++tries) {
            const Protocol::OpcodeFields& candidate = table[(pick + tries) % count];
            if (candidate.message)
                row = &candidate;
        }
        m = Protocol::message(row->opcode);
    }
    const char* fields = row ? row->message : "";
    for (const char* f = fields; *f; ++f) {
        // A field of the wrong type, or none, now and then.
        const uint8_t twist = in.byte();
        if (twist == 255)
            break;
        const char type = twist == 254 ? 'i' : twist == 253 ? 's' : *f;
        switch (type) {
        case 's':
            m.addString(in.bytes(MaxTextLength).replace('\0', 'x').constData());
            break;
        case 'd': {
            const QByteArray block = in.bytes(MaxBlockLength);
            m.addBytes(reinterpret_cast<const unsigned char*>(block.constData()),
                       int(block.size()));
            break;
        }
        case 'b':
            m.addInt(in.byte() & 1);
            break;
        default:
            m.addInt(in.number());
            break;
        }
    }
    deliver(m);
}

} // namespace

// Caches the system's font library keeps for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.warning=false;tarvenix.*=false");
    // Never destroyed: at exit the window and the application would go in an
    // order Qt does not expect.
    static QApplication* app = new QApplication(*argc, *argv);
    Q_UNUSED(app);
    TestWindow::initTestCase();
    s_client = new TestWindow;
    Tarvenix* window = s_client->window.get();
    // Not shown, so that only the grab below paints it; the widgets still
    // lay out and update as they would on the screen.
    window->resize(1024, 700);
    // The lobby is on the screen, as it is while a player waits for a game:
    // its lists lay out and paint what the server announces.
    window->usersDialog()->show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    Tarvenix* window = s_client->window.get();
    s_client->sent.clear();
    enterGame();
    Input in(data, size);
    while (!in.atEnd()) {
        randomMessage(in);
        // Now and then the event loop comes round: paint, timers, layouts.
        if (in.byte() >= 240)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    // The whole window painted now and then: a tenth of a second apiece.
    static int runs = 0;
    if (++runs % 16 == 0)
        window->grab();

    // Whatever came before, the keep-alive is answered at once.
    s_client->sent.clear();
    deliver(messageOf({op(Opcode::Ping)}));
    FUZZ_CHECK(s_client->sent.size() == 1 && Protocol::is(s_client->sent[0], Opcode::Ping));
    // Counts sized nothing beyond what a game can hold.
    for (const GameRecord* game : window->lobby()->games())
        FUZZ_CHECK(game->seatIcons().size() <=
                   GameRecord::MaxPlayers + GameRecord::MaxObserverIcons);
    FUZZ_CHECK(window->cards()->cardsWidget()->cards().size() <= CardsWidget::MaxCards);

    window->reset(true);
    QCoreApplication::processEvents();
    return 0;
}
