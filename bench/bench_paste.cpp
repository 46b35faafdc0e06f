// Pasting a text line of 1,000,000 characters with 100,000 blanks, beside
// splitting the same line at its blanks with QString::split.
// Target: the paste under 0.2 s.
#include "BenchMain.h"
#include "core/CplBrd.h"
#include "core/Dialogs.h"

namespace {

// "Type", a blank, then 99,999 words of nine letters and a blank, and a last
// word: 1,000,000 characters, 100,000 blanks.
const QString& longLine() {
    static const QString line = QStringLiteral("Type ") + QStringLiteral("abcdefghi ").repeated(99999) +
                                QStringLiteral("final");
    return line;
}

void BM_PasteLongLine(benchmark::State& state) {
    static_cast<platform::FakePlatform&>(platform::desktop()).clipboard = longLine();
    for (auto _ : state) Form1->Collerapartirduntextesimple1Click();
    state.counters["characters"] = double(longLine().size());
    state.counters["blanks"] = double(longLine().count(u' '));
}

void BM_SplitCommandLine(benchmark::State& state) {
    QString keyword, params;
    for (auto _ : state) benchmark::DoNotOptimize(CplBrd::SplitCommandLine(longLine(), keyword, params));
}

void BM_QStringSplitAtBlanks(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(longLine().split(u' '));
}

BENCHMARK(BM_PasteLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitCommandLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QStringSplitAtBlanks)->Unit(benchmark::kMillisecond);

// Every question is answered at once with its default.
class BenchServices : public AppServices {
public:
    int AskMessage(const MessageRequest& request) override { return DefaultAnswer(request); }
};

}  // namespace

int main(int argc, char** argv) {
    static BenchServices services;
    return RunBenchmarks(argc, argv, &services);
}
