#pragma once
// The body of a benchmark program: the application on the offscreen
// platform, a private program folder, the fake desktop, the given services
// (the program's own when none), the main window with a new macro, then the
// benchmarks the program declares.
#include "apps/orvanel/AppServices.h"
#include "apps/orvanel/Program.h"
#include "core/Unit1.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

inline int RunBenchmarks(int argc, char** argv, AppServices* services = nullptr) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("ORVANEL_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    platform::setDesktop(std::make_unique<platform::FakePlatform>());
    AppServices own;
    InstallServices(services ? services : &own);
    CreateForms()->Nouveau1Click();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DestroyForms();
    return 0;
}
