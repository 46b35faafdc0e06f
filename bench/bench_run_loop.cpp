// Rows per second of the run loop and the dispatcher, with the delay
// between commands off; the report on and off.
#include "BenchMain.h"
#include "tools/Unit19.h"

#include <QCheckBox>

namespace {

constexpr int kRows = 20000;

// A macro of kRows rows of one command after a declaration of A.
void runMacro(benchmark::State& state, const QString& keyword, const QString& params) {
    TForm1* form = Form1;
    form->ListView1->clear();
    form->Add_commande(form->ListView1, {QStringLiteral("Variable"), QStringLiteral("A;0;Numerique;")});
    for (int i = 0; i < kRows; ++i) form->Add_commande(form->ListView1, {keyword, params});
    Form19->CheckBox1->setChecked(false);  // no delay between commands
    Form19->CheckBox4->setChecked(false);  // no check before the run
    Form19->CheckBox5->setChecked(false);  // no report files
    form->CheckBox3->setChecked(state.range(0) != 0);
    for (auto _ : state) form->Execute(form, false, 0);
    state.counters["rows/s"] = benchmark::Counter(double(kRows + 1) * double(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}

void BM_RunLoop_Calcul(benchmark::State& state) { runMacro(state, QStringLiteral("Calcul"), QStringLiteral("A;+;1;")); }
void BM_RunLoop_Commentaire(benchmark::State& state) {
    runMacro(state, QStringLiteral("Commentaire"), QStringLiteral("rien"));
}
BENCHMARK(BM_RunLoop_Calcul)->ArgName("report")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunLoop_Commentaire)->ArgName("report")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
