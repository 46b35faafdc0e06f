#include "tests/fuzz/FuzzSupport.h"

#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

namespace fuzz {

namespace {
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
    services.onModal = [](QWidget& window) { window.close(); };
    InstallServices(&services);
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

std::pair<QByteArray, QByteArray> twoParts(const QByteArray& input) {
    static const QByteArray mark = QByteArrayLiteral("\n----\n");
    const qsizetype at = input.indexOf(mark);
    if (at < 0) return {input, QByteArray()};
    return {input.left(at), input.mid(at + mark.size())};
}

}  // namespace fuzz
