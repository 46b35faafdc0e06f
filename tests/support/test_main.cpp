// Logic tests run on the offscreen Qt platform with the fake desktop; every
// message box is recorded and answered by the test's answerer.
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("ORVANEL_PLUGIN_HOST", PLUGIN_HOST_PROGRAM);
    QApplication app(argc, argv);
    InstallServices(&testServices());
    static AppEngineServices engineAnswers;  // the real window list, offscreen
    InstallEngineServices(&engineAnswers);
    return RUN_ALL_TESTS();
}
