// The image search of "Trouve image" beside OpenCV's matchTemplate (TM_SQDIFF,
// then minMaxLoc for the best place), on the same in-memory 1920x1080 picture
// and 32x32 reference, in three scenes:
//   desktop: windows with lists, tables, texts and buttons, the reference a
//            piece of a button near the bottom right;
//   random:  random pixels, the reference taken near the bottom right;
//   white:   a plain white screen, a white reference with one black pixel at
//            its centre, found nowhere.
// The counter `x_faster` of each BM_FindImage is matchTemplate's time over ours.
//
// BM_CaptureAndFind captures the whole screen of an X server at least
// 1920x1080 showing the desktop scene, and searches it (skipped otherwise):
//   ORVANEL_XVFB_SCREEN=1920x1080x24 tests/desktop/run-under-xvfb.sh build/bench/bench_image_search
#include "engine/ImageSearch.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStyleFactory>
#include <QTableWidget>
#include <QTreeWidget>

#include <benchmark/benchmark.h>
#include <opencv2/imgproc.hpp>

#include <chrono>
#include <cstdio>
#include <map>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

QWidget* desktopWindow = nullptr;  // the desktop scene, shown on the screen

struct Scene {
    QImage screen;
    QImage reference;
    QPoint expected{-1, -1};  // where the search must find it
};

// A desktop as a person sees it: a window of lists, tables, texts and buttons.
Scene desktopScene() {
    auto* root = new QWidget(nullptr, Qt::FramelessWindowHint);
    root->setStyle(QStyleFactory::create("Fusion"));
    root->setFixedSize(kWidth, kHeight);
    auto* grid = new QGridLayout(root);
    auto* tree = new QTreeWidget;
    tree->setHeaderLabels({"Commande", "Paramètres"});
    for (int i = 0; i < 60; ++i) {
        auto* item = new QTreeWidgetItem(tree, {QString("Ligne %1").arg(i), QString("Move Mouse;%1;%2;").arg(i * 7).arg(i * 3)});
        for (int j = 0; j < 3; ++j) new QTreeWidgetItem(item, {QString("Détail %1.%2").arg(i).arg(j), "Pause;00:00:01"});
    }
    tree->expandAll();
    auto* text = new QPlainTextEdit;
    QString lorem;
    for (int i = 0; i < 80; ++i)
        lorem += QString("%1. Le rapport d'exécution de la macro indique que la commande a réussi à %2 h.\n").arg(i).arg(i % 24);
    text->setPlainText(lorem);
    auto* table = new QTableWidget(40, 8);
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 8; ++c) table->setItem(r, c, new QTableWidgetItem(QString::number(r * 13 + c * 7)));
    auto* list = new QListWidget;
    for (int i = 0; i < 50; ++i) list->addItem(QString("Variable <Var%1>").arg(i));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* last = nullptr;
    for (const char* caption : {"Aide", "Annuler", "Valider"}) buttons->addWidget(last = new QPushButton(caption));
    grid->addWidget(tree, 0, 0, 2, 1);
    grid->addWidget(text, 0, 1);
    grid->addWidget(table, 1, 1);
    grid->addWidget(list, 0, 2);
    grid->addWidget(new QCalendarWidget, 1, 2);
    grid->addWidget(new QLabel("Orvanel - Recherche d'image : prêt"), 2, 0, 1, 2);
    grid->addLayout(buttons, 2, 2);
    root->move(0, 0);
    root->show();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 500) QCoreApplication::processEvents();
    desktopWindow = root;
    Scene s;
    s.screen = root->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint centre = last->mapTo(root, last->rect().center());
    s.expected = centre - QPoint(16, 16);
    s.reference = s.screen.copy(QRect(s.expected, QSize(32, 32)));
    return s;
}

Scene randomScene() {
    Scene s;
    s.screen = QImage(kWidth, kHeight, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) s.screen.setPixel(x, y, 0xff000000u | (random.generate() & 0xffffffu));
    s.expected = QPoint(kWidth - 100, kHeight - 80);
    s.reference = s.screen.copy(QRect(s.expected, QSize(32, 32)));
    return s;
}

Scene whiteScene() {
    Scene s;
    s.screen = QImage(kWidth, kHeight, QImage::Format_RGB32);
    s.screen.fill(Qt::white);
    s.reference = QImage(32, 32, QImage::Format_RGB32);
    s.reference.fill(Qt::white);
    s.reference.setPixel(16, 16, qRgb(0, 0, 0));
    return s;
}

std::map<int, Scene> scenes;
std::map<int, double> matchTemplateSeconds;  // per scene, for the ratio
const char* kNames[] = {"desktop", "random", "white"};

cv::Mat bgr(const QImage& image) {
    const cv::Mat bgra(image.height(), image.width(), CV_8UC4, const_cast<uchar*>(image.constBits()),
                       size_t(image.bytesPerLine()));
    cv::Mat out;
    cv::cvtColor(bgra, out, cv::COLOR_BGRA2BGR);
    return out;
}

void BM_MatchTemplate(benchmark::State& state) {
    const Scene& s = scenes.at(int(state.range(0)));
    const cv::Mat screen = bgr(s.screen);
    const cv::Mat reference = bgr(s.reference);
    cv::Mat result;
    cv::Point best;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        cv::matchTemplate(screen, reference, result, cv::TM_SQDIFF);
        double least = 0;
        cv::minMaxLoc(result, &least, nullptr, &best, nullptr);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(elapsed);
        seconds += elapsed;
    }
    matchTemplateSeconds[int(state.range(0))] = seconds / double(state.iterations());
    state.SetLabel(kNames[state.range(0)]);
}

void BM_FindImage(benchmark::State& state) {
    const Scene& s = scenes.at(int(state.range(0)));
    const TImageMatcher matcher(s.reference);
    TImageMatcher::Result r;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        r = matcher.Find(s.screen, 1);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(elapsed);
        seconds += elapsed;
    }
    const QPoint at = r.outcome == TImageMatcher::Outcome::Found ? r.at : QPoint(-1, -1);
    if (at != s.expected) state.SkipWithError("the search found another place");
    const auto other = matchTemplateSeconds.find(int(state.range(0)));
    if (other != matchTemplateSeconds.end())
        state.counters["x_faster"] = other->second / (seconds / double(state.iterations()));
    state.SetLabel(kNames[state.range(0)]);
}

// The whole screen of the X server, captured and searched.
void BM_CaptureAndFind(benchmark::State& state) {
    platform::Platform& desk = platform::desktop();
    const Scene& s = scenes.at(0);
    const TImageMatcher matcher(s.reference);
    TImageMatcher::Result r;
    for (auto _ : state) {
        const QImage capture = desk.CaptureScreen(QRect(0, 0, kWidth, kHeight));
        r = matcher.Find(capture, 1);
    }
    if (r.outcome != TImageMatcher::Outcome::Found || r.at != desktopWindow->mapToGlobal(s.expected))
        state.SkipWithError("the desktop scene was not found on the screen");
}

}  // namespace

int main(int argc, char** argv) {
    std::unique_ptr<platform::Platform> x11 = platform::openX11Platform();
    const bool screenLargeEnough = x11 && x11->GetSystemMetrics(platform::SM_CXSCREEN) >= kWidth &&
                                   x11->GetSystemMetrics(platform::SM_CYSCREEN) >= kHeight;
    if (!screenLargeEnough) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    scenes[0] = desktopScene();
    scenes[1] = randomScene();
    scenes[2] = whiteScene();
    for (int scene = 0; scene < 3; ++scene) {
        benchmark::RegisterBenchmark("BM_MatchTemplate", BM_MatchTemplate)->Arg(scene)->UseManualTime()->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_FindImage", BM_FindImage)->Arg(scene)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
    if (screenLargeEnough) {
        platform::setDesktop(std::move(x11));
        benchmark::RegisterBenchmark("BM_CaptureAndFind", BM_CaptureAndFind)->Unit(benchmark::kMillisecond);
    } else {
        std::fprintf(stderr, "bench_image_search: no X server of at least %dx%d, BM_CaptureAndFind left out\n", kWidth, kHeight);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete desktopWindow;
    return 0;
}
