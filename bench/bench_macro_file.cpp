// Opening and saving a 100,000-row macro, with and without a password.
// Targets: each under 0.5 s and under 150 MB resident.
#include "BenchMain.h"
#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/MacroFile.h"
#include "core/Unit32.h"
#include "platform/ProgramFolder.h"

#include <QLineEdit>
#include <QPushButton>
#include <sys/resource.h>

namespace {
constexpr int kRows = 100000;

void fillRows() {
    QVector<MacroCommand> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        switch (i % 4) {
            case 0: rows.append({"Move Mouse", QStringLiteral("%1;%2;Direct;").arg(i % 1280).arg(i % 1024), 3}); break;
            case 1: rows.append({"Type", QStringLiteral("Ligne numéro %1 de la macro à taper;").arg(i), 0}); break;
            case 2: rows.append({"Calcul", QStringLiteral("[Compteur];+;1;[Compteur];"), 12}); break;
            default: rows.append({"Pause", QStringLiteral("500;MilliSec;"), 6}); break;
        }
    }
    Form1->ListView1->clear();
    Form1->ListView1->append(rows);
}

QString fileFor(bool password) { return platform::programFile(password ? "big-protected.mcr" : "big.mcr"); }

double residentMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;  // peak, in MB
}

void saveFile(bool password) {
    OpenMacroFile().password = password ? QStringLiteral("abc") : QString();
    Form1->SaveDialog1->FileName = fileFor(password);
    Form1->Enregistrer1Click();
}

void BM_SaveMacro(benchmark::State& state) {
    const bool password = state.range(0) != 0;
    fillRows();
    for (auto _ : state) saveFile(password);
    state.counters["rows"] = kRows;
    state.counters["peak_MB"] = residentMb();
}

void BM_OpenMacro(benchmark::State& state) {
    const bool password = state.range(0) != 0;
    fillRows();
    saveFile(password);
    for (auto _ : state) {
        state.PauseTiming();
        Form1->ListView1->clear();
        Form1->StatusPanel[0]->setText(QStringLiteral("Nouvelle macro"));
        state.ResumeTiming();
        const int rows = Form1->OpenFileMacro(fileFor(password), Form1->ListView1,
                                             QStringLiteral("Chargement des commandes en cours, veuillez patienter SVP."), -1);
        if (rows != kRows) state.SkipWithError("rows lost");
    }
    state.counters["rows"] = kRows;
    state.counters["peak_MB"] = residentMb();
}

BENCHMARK(BM_SaveMacro)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenMacro)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
class BenchServices : public AppServices {
public:
    int AskMessage(const MessageRequest&) override { return mrNo; }
    void ShowModal(QWidget& window) override {
        if (auto* password = qobject_cast<TForm32*>(&window)) {
            password->Edit1->setText(QStringLiteral("abc"));
            password->Button1Click();
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    // Every question is answered at once: "Non" to boxes, the password to the password dialog.
    static BenchServices services;
    return RunBenchmarks(argc, argv, &services);
}
