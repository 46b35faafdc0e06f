#include "tests/support/TestSupport.h"

#include "tests/support/TestServices.h"

#include "apps/orvanel/Program.h"
#include "core/MessageTexts.h"
#include "core/ProcessPriority.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "tools/ModuleSup.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

MessageRecorder::MessageRecorder() {
    testServices().onMessage = [this](const MessageRequest& r) {
        shown << r;
        return answer != mrNone ? answer : DefaultAnswer(r);
    };
}

MessageRecorder::~MessageRecorder() { testServices().onMessage = nullptr; }

QStringList MessageRecorder::texts() const {
    QStringList out;
    for (const MessageRequest& m : shown) out << m.text;
    return out;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray ReadBytes(const QString& path, const QByteArray& absent) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : absent;
}

void MainWindowTest::SetUp() {
    ASSERT_TRUE(home.isValid());
    qputenv("ORVANEL_HOME", home.path().toLocal8Bit());
    platform::setDesktop(std::make_unique<platform::FakePlatform>());
    form = CreateForms();
    UseQtTranslation(QStringLiteral("Français"));  // as start-up does: a test that chose another leaves the next in French
    form->ArrangeMainMenu();  // as start-up does, once the menu items of the dialogs are in
    Services().BuildSystemVariables();  // as start-up does
    form->Nouveau1Click();
}

void MainWindowTest::TearDown() {
    DestroyForms();
    testServices().reset();
    ResetMessageTexts();  // a test that chose another language leaves the next in French
    settings() = defaultSettings();
    ProcessPriority = 3;
    form = nullptr;
    RowEditing().modifying = false;
    RowEditing().previousParams.clear();
    qunsetenv("ORVANEL_HOME");
}

void MainWindowTest::setRows(const QVector<QPair<QString, QString>>& rows) {
    form->ListView1->clear();
    for (const auto& [k, p] : rows) form->Add_commande(form->ListView1, {k, p});
}

QStringList MainWindowTest::rowTexts() const {
    QStringList out;
    for (const MacroCommand& c : form->ListView1->items().rows()) out << c.keyword + u'|' + c.params;
    return out;
}

void DialogsTest::SetUp() {
    MainWindowTest::SetUp();
    form->show();
}

void DialogsTest::edit(int row) {
    TForm1::Select_unique(form->ListView1, row);
    form->ListView1DblClick();
}
