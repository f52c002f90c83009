#include "chatview.h"

#include <QApplication>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

namespace {

constexpr int LineCount = 100000;
constexpr int BlockSize = 10000;

// The machine is shared, so the blocks are timed in CPU time of the process
// (which includes Qt's painting helper threads), like the totals.
double cpuMicros()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

// Chat-like lines of 5 to 40 words from a small vocabulary, fixed seed.
const std::vector<QString>& lines()
{
    static const std::vector<QString> texts = [] {
        const QStringList vocabulary =
            QStringLiteral(
                "the a to attack my your army country armies move card cards set exchange "
                "europe asia africa north south america australia ukraine kamchatka iceland "
                "hello hi gg lol thanks well played dice roll six capital turn next player "
                "defend alliance peace war seriously? no yes maybe later fortify 12 3 7")
                .split(QLatin1Char(' '));
        QRandomGenerator random(20261206);
        std::vector<QString> result;
        result.reserve(LineCount);
        for (int i = 0; i < LineCount; ++i) {
            const int words = random.bounded(5, 41);
            QString text;
            for (int w = 0; w < words; ++w) {
                if (w)
                    text += QLatin1Char(' ');
                text += vocabulary[random.bounded(int(vocabulary.size()))];
            }
            result.push_back(text);
        }
        return result;
    }();
    return texts;
}

// Adds 100,000 lines to a shown view and lets it paint after every burst of
// `burst` lines, as when one network read brings several lines; a burst of 1
// paints after every line. Reports lines per second and the cost of a line in
// each block of 10,000, which must stay flat.
void addLines(benchmark::State& state)
{
    const bool trimming = state.range(0) != 0;
    const int burst = int(state.range(1));
    const std::vector<QString>& texts = lines();
    std::vector<double> blockMicros(LineCount / BlockSize, 0.0);
    for (auto _ : state) {
        ChatView view;
        if (!trimming)
            view.setLineLimits(0, 0);
        view.resize(800, 200);
        view.show();
        QCoreApplication::processEvents();
        for (int block = 0; block < LineCount / BlockSize; ++block) {
            const double start = cpuMicros();
            for (int i = block * BlockSize; i < (block + 1) * BlockSize; ++i) {
                view.addLine(Qt::blue, Qt::black, texts[size_t(i)], i % 10 == 0);
                if ((i + 1) % burst == 0)
                    QCoreApplication::processEvents();
            }
            blockMicros[size_t(block)] += (cpuMicros() - start) / BlockSize;
        }
        benchmark::DoNotOptimize(view.totalHeight());
    }
    state.SetItemsProcessed(state.iterations() * LineCount);
    for (size_t block = 0; block < blockMicros.size(); ++block)
        state.counters[QStringLiteral("us/line@%1k")
                           .arg((block + 1) * 10, 3, 10, QLatin1Char('0'))
                           .toStdString()] = blockMicros[block] / double(state.iterations());
}

} // namespace

BENCHMARK(addLines)
    ->ArgNames({"trim", "burst"})
    ->Args({1, 100})
    ->Args({0, 100})
    ->Args({1, 1})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
