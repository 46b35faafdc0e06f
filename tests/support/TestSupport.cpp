#include "tests/support/TestSupport.h"

#include "apps/orvanel/Program.h"
#include "core/Unit1.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"

#include <QApplication>

MessageRecorder::MessageRecorder() {
    setMessageAnswerer([this](const MessageRequest& r) {
        shown << r;
        if (answer != mrNone) return answer;
        for (auto [button, result] : {std::pair{mbOK, mrOk}, {mbYes, mrYes}, {mbNo, mrNo}, {mbCancel, mrCancel}})
            if (r.buttons & button) return int(result);
        return int(mrNone);
    });
}

MessageRecorder::~MessageRecorder() { setMessageAnswerer(nullptr); }

void MainWindowTest::SetUp() {
    ASSERT_TRUE(home.isValid());
    qputenv("ORVANEL_HOME", home.path().toLocal8Bit());
    platform::setDesktop(std::make_unique<platform::FakePlatform>());
    form = CreateForms();
    form->Nouveau1Click();
}

void MainWindowTest::TearDown() {
    DestroyForms();
    form = nullptr;
    EditMode = false;
    PreviousParams.clear();
    CarSepParam = u';';
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
