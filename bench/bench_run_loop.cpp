// Rows per second of the run loop and the dispatcher, with the delay
// between commands off; the report on and off.
#include "BenchMain.h"
#include "core/Settings.h"
#include "core/Variables.h"

#include <QCheckBox>

namespace {

constexpr int kRows = 20000;

// A macro of kRows rows of one command after a declaration of A.
void runMacro(benchmark::State& state, const QString& keyword, const QString& params) {
    TForm1* form = Form1;
    form->ListView1->clear();
    form->Add_commande(form->ListView1, {QStringLiteral("Variable"), QStringLiteral("A;0;Numerique;")});
    for (int i = 0; i < kRows; ++i) form->Add_commande(form->ListView1, {keyword, params});
    settings().GeneralActive = false;   // no delay between commands
    settings().CheckBeforeRun = false;  // no check before the run
    settings().Report = false;          // no report files
    form->CheckBox3->setChecked(state.range(0) != 0);
    for (auto _ : state) form->Execute(form, false, 0);
    QString ran;
    form->ReadVariable(QStringLiteral("VAR"), QStringLiteral("A"), QString(), ran);
    if (keyword == QLatin1String("Calcul") && ran != QString::number(kRows)) state.SkipWithError("the rows did not run");
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
