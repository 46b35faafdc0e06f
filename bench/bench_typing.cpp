// Typing speed into a real X window, beside `xdotool type --delay 0` on the
// same server with the same texts, under a French and a US layout, no delay. Each
// iteration clears a text window of this process, types the text and waits
// until all of it has arrived. Counters: chars_per_second until the window
// holds the whole text, sent_chars_per_second until the typist is done, and
// lost_or_wrong, the characters missing, extra or wrong (0: exact).
//
// Needs a private X server (it switches the layout with setxkbmap):
//   tests/desktop/run-under-xvfb.sh build-<dir>/bench/bench_typing
#include "platform/Platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProcess>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

QPlainTextEdit* receiver = nullptr;

const QString kAscii = [] {
    const QString words = "The quick brown fox jumps over the lazy dog, 0123456789; Pack MY box: five dozen jugs! ";
    QString text;
    while (text.size() < 1000) text += words;
    return text.left(1000);
}();

const QString kFrench = [] {
    const QString words = "Été à 5€ @home : où ça ? Noël, déjà l'hiver ; ÀÉÈÙ çà et là, « coût » 100 % ! ";
    QString text;
    while (text.size() < 600) text += words;
    return text.left(600);
}();

// Accented letters that neither layout has all of on its own keys: under "us"
// every one, under "fr" the circumflexed and diaeresised ones, go through
// lent keycodes.
const QString kAccents = "éèçàù ÂÉÊËÎÏÔÖ â ê î ô û ä ë ï ö ü Â Ê";

bool setLayout(const QString& layout) {
    QProcess p;
    p.start("setxkbmap", {layout});
    return p.waitForFinished(10000) && p.exitCode() == 0;
}

// Pumps events until the window holds the whole text (or 10 s passed).
void waitForText(const QString& text) {
    QElapsedTimer t;
    t.start();
    while (receiver->document()->characterCount() - 1 < text.size() && t.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    // A few more rounds: anything still coming would be extra characters.
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(2);
    }
}

// Characters lost, extra or wrong, position by position.
int faults(const QString& expected, const QString& got) {
    const QList<uint> a = expected.toUcs4(), b = got.toUcs4();
    int wrong = int(std::abs(a.size() - b.size()));
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) wrong += a[i] != b[i];
    return wrong;
}

void clearReceiver() {
    receiver->clear();
    QCoreApplication::processEvents();
}

void typeWithOrvanel(const QString& text) {
    platform::desktop().TypeText(text);  // as the "Type" command does
    platform::desktop().Flush();  // the server has taken every event
}

void typeWithXdotool(const QString& text) {
    QProcess p;
    p.start("xdotool", {"type", "--delay", "0", "--", text});
    while (!p.waitForFinished(5)) QCoreApplication::processEvents();
}

void BM_Typing(benchmark::State& state, const QString& layout, const QString& text, bool xdotool) {
    if (!setLayout(layout)) {
        state.SkipWithError("setxkbmap failed");
        return;
    }
    platform::setDesktop(platform::openX11Platform());  // fresh, on the new keymap
    int wrong = 0;
    double sending = 0;
    for (auto _ : state) {
        clearReceiver();
        QElapsedTimer t;
        t.start();
        xdotool ? typeWithXdotool(text) : typeWithOrvanel(text);
        sending += double(t.nsecsElapsed()) / 1e9;
        waitForText(text);
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        wrong += faults(text, receiver->toPlainText());
    }
    platform::setDesktop(nullptr);  // gives lent keycodes back
    state.counters["chars_per_second"] =
        benchmark::Counter(double(text.toUcs4().size()) * double(state.iterations()), benchmark::Counter::kIsRate);
    // Until the typist is done (the server has every event), the window not yet.
    state.counters["sent_chars_per_second"] = double(text.toUcs4().size()) * double(state.iterations()) / sending;
    state.counters["lost_or_wrong"] = wrong;
}

void registerAll() {
    struct Text {
        const char* name;
        const QString* text;
    };
    for (const char* layout : {"fr", "us"})
        for (const Text& t : {Text{"ascii", &kAscii}, Text{"french", &kFrench}, Text{"accents", &kAccents}})
            for (const bool xdotool : {false, true}) {
                const std::string name = std::string("Typing/") + layout + "/" + t.name + (xdotool ? "/xdotool" : "/orvanel");
                benchmark::RegisterBenchmark(name.c_str(), BM_Typing, QString(layout), *t.text, xdotool)
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(3);
            }
}

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("ORVANEL_PRIVATE_X") != "1") {
        std::fprintf(stderr, "bench_typing: run it through tests/desktop/run-under-xvfb.sh (it changes the layout)\n");
        return 1;
    }
    QApplication app(argc, argv);
    QPlainTextEdit window;
    receiver = &window;
    window.setWindowTitle("Orvanel bench");
    window.resize(600, 400);
    window.show();
    window.activateWindow();
    auto desk = platform::openX11Platform();
    if (!desk) return 1;
    QElapsedTimer t;
    t.start();
    while (!window.isActiveWindow() && t.elapsed() < 5000) {
        desk->SetForegroundWindow(window.winId());
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    window.setFocus();
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    setLayout("us");
    return 0;
}
