// Opening and saving a 100,000-row macro, with and without a password.
// Targets: each under 0.5 s and under 150 MB resident.
#include "apps/orvanel/AppServices.h"
#include "apps/orvanel/Program.h"
#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/MacroFile.h"
#include "core/Unit1.h"
#include "core/Unit32.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {
constexpr int kRows = 100000;
TForm1* form = nullptr;
QTemporaryDir* folder = nullptr;

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
    form->ListView1->clear();
    form->ListView1->append(rows);
}

QString fileFor(bool password) { return folder->filePath(password ? "big-protected.mcr" : "big.mcr"); }

double residentMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;  // peak, in MB
}

void saveFile(bool password) {
    MacroPassword = password ? QStringLiteral("abc") : QString();
    form->SaveDialog1->FileName = fileFor(password);
    form->Enregistrer1Click();
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
        form->ListView1->clear();
        form->StatusPanel[0]->setText(QStringLiteral("Nouvelle macro"));
        state.ResumeTiming();
        const int rows = form->OpenFileMacro(fileFor(password), form->ListView1,
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    folder = &home;
    qputenv("ORVANEL_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    platform::setDesktop(std::make_unique<platform::FakePlatform>());
    // Every question is answered at once: "Non" to boxes, the password to the password dialog.
    static BenchServices services;
    InstallServices(&services);
    form = CreateForms();
    form->Nouveau1Click();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DestroyForms();
    return 0;
}
