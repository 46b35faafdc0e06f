// The cost of calling a plug-in in its host program: one call and its answer,
// and one row of the sample plug-in with its four messages back (a query, a
// variable read, a variable written, a note in the report).
#include "BenchMain.h"
#include "engine/GestionCommande.h"

namespace {

int loadSample(benchmark::State& state) {
    static const int index = LoadCommandPlugin(QStringLiteral(EXEMPLE_PLUGIN));
    if (index <= 0) state.SkipWithError("the sample plug-in does not load");
    return index;
}

void BM_PluginCall_RoundTrip(benchmark::State& state) {
    const int i = loadSample(state);
    if (i <= 0) return;
    for (auto _ : state) benchmark::DoNotOptimize(DynamiqueOrders[i].F.GetInfoName());
}

void BM_PluginCall_SampleRow(benchmark::State& state) {
    const int i = loadSample(state);
    if (i <= 0) return;
    for (auto _ : state) benchmark::DoNotOptimize(DynamiqueOrders[i].F.ExecuteOrder(QStringLiteral("A;Bonjour;")));
}

BENCHMARK(BM_PluginCall_RoundTrip)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PluginCall_SampleRow)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("ORVANEL_PLUGIN_HOST", PLUGIN_HOST_PROGRAM);
    return RunBenchmarks(argc, argv);
}
