#include "tests/fuzz/FuzzSupport.h"

#include "apps/orvanel/Program.h"
#include "core/History.h"
#include "core/Unit1.h"
#include "core/Unit32.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <csignal>

namespace fuzz {

namespace {
QString typedPassword;

QTemporaryDir& programFolder() {
    static QTemporaryDir folder;
    return folder;
}
}  // namespace

void start() {
    static QApplication* app = nullptr;
    if (app) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("ORVANEL_HOME", programFolder().path().toLocal8Bit());
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    app = new QApplication(argc, argv);
    platform::setDesktop(std::make_unique<platform::FakePlatform>());
    TestServices& services = testServices();
    services.onMessage = [](const MessageRequest& r) { return r.buttons & mbNo ? int(mrNo) : DefaultAnswer(r); };
    services.onModal = [](QWidget& window) {
        auto* password = qobject_cast<TForm32*>(&window);
        if (!password) {
            window.close();
        } else if (typedPassword.isNull()) {
            password->Button2Click();
        } else {
            password->Edit1->setText(typedPassword);
            password->Button1Click();
        }
    };
    InstallServices(&services);
}

TForm1& newMacro() {
    start();
    static TForm1* form = nullptr;
    if (!form) {
        // The main window's crash handler would take the fatal signals from
        // the sanitizers and the fuzzer, which report them with the input.
        constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE};
        struct sigaction kept[std::size(kSignals)];
        for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], nullptr, &kept[i]);
        form = CreateForms();
        for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &kept[i], nullptr);
    }
    form->Nouveau1Click();
    return *form;
}

void focusList(TForm1& form) {
    form.show();
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    form.ListView1->setFocus();
}

QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

QString writeFile(const QString& name, const QByteArray& data) {
    const QString path = QDir(programFolder().path()).filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(data);
    return path;
}

void answerPassword(const QString& typed) { typedPassword = typed; }

}  // namespace fuzz
