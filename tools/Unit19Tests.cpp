// The mouse and typing speed tests of the "Délais" tab. They use the run-time
// "Move Mouse" and "Type", which act only while the run flag is up: a test
// raises it for its own moves and typing and puts it back as it found it.
// While a macro runs they are refused, so they never stop or disturb it.
#include "core/Dialogs.h"
#include "core/MessageTexts.h"
#include "core/Params.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "engine/Handlers.h"
#include "engine/Runner.h"
#include "tools/Unit19.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QScreen>
#include <QThread>

namespace {
const QString kStop = QStringLiteral("Stop");

// A macro is running (not one of the tests).
bool macroRuns(bool testOwnsFlag) { return (RunState().MacroRunning && !testOwnsFlag) || RunState().ExecState != 0; }

bool refusedDuringRun(bool testOwnsFlag) {
    if (!macroRuns(testOwnsFlag)) return false;
    MessageDlg(QStringLiteral("Les tests de vitesse sont impossibles pendant l'exécution d'une macro."),
               MsgType::Information, mbOK);
    return true;
}

void setLabel(QLabel* label, const QString& text, const QColor& color) {
    label->setText(text);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}
}  // namespace

// Runs what needs the run flag: raised for it alone, then put back.
template <class F>
static void withRunFlag(bool& owned, F&& action) {
    RunState().MacroRunning = owned = true;
    action();
    if (owned) RunState().MacroRunning = owned = false;
}

void TForm19::Button8Click() {
    if (SpeedTestRunning) {
        SpeedTestRunning = false;
        if (testOwnsRunFlag_) RunState().MacroRunning = testOwnsRunFlag_ = false;  // the move under way ends
        if (mouseIdleCaption_.isNull()) return;
        Button8->setText(std::exchange(mouseIdleCaption_, QString()));
        setLabel(Label7, std::exchange(testIdleHint_, QString()), Qt::black);
        return;
    }
    if (refusedDuringRun(testOwnsRunFlag_)) return;
    SpeedTestRunning = true;
    mouseIdleCaption_ = Button8->text();
    testIdleHint_ = Label7->text();
    Button8->setText(kStop);
    setLabel(Label7, MessageText(QStringLiteral("Form19"), QStringLiteral("Lng_MouseTest")), Qt::red);
    QRandomGenerator& random = *QRandomGenerator::global();
    const QChar sep = ParamSeparator();
    while (SpeedTestRunning && isVisible()) {
        QCoreApplication::processEvents();
        if (!SpeedTestRunning || !isVisible()) break;
        if (PageControl1->currentWidget() == TabSheet2) Button8->setFocus();
        const QList<QScreen*> screens = QGuiApplication::screens();
        const QRect area = screens.value(random.bounded(int(screens.size())))->geometry();
        const int x = area.x() + random.bounded(qMax(1, area.width()));
        const int y = area.y() + random.bounded(qMax(1, area.height()));
        const int speed = settings().SpeedMouse;
        settings().SpeedMouse = TrackBar1->value();  // the speed shown, not yet saved
        withRunFlag(testOwnsRunFlag_, [&] {
            RunCommand(Runner->Context(), QStringLiteral("Move Mouse"),
                       QString::number(x) + sep + QString::number(y) + sep + QStringLiteral("Indirect") + sep);
        });
        settings().SpeedMouse = speed;
    }
    if (SpeedTestRunning) Button8Click();  // the dialog was hidden: the test ends with it
}

void TForm19::Button9Click() {
    if (SpeedTestRunning) {
        SpeedTestRunning = false;
        if (testOwnsRunFlag_) RunState().MacroRunning = testOwnsRunFlag_ = false;
        Edit2->hide();
        Button9->setEnabled(true);
        if (!typingIdleCaption_.isNull()) Button9->setText(std::exchange(typingIdleCaption_, QString()));
        return;
    }
    if (refusedDuringRun(testOwnsRunFlag_)) return;
    SpeedTestRunning = true;
    typingIdleCaption_ = Button9->text();
    Edit2->clear();
    Edit2->show();
    Button9->setText(kStop);
    while (SpeedTestRunning && isVisible()) {
        Button9->setEnabled(false);
        Edit2->clear();
        Edit2->setFocus();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const QString typeTime = settings().TypeTime;
        const bool typeActive = settings().TypeActive;
        settings().TypeTime = TPFEdit->text();  // the delay shown, not yet saved
        settings().TypeActive = CheckBox2->isChecked();
        withRunFlag(testOwnsRunFlag_, [] {
            RunCommand(Runner->Context(), QStringLiteral("Type"), QStringLiteral("Test la vitesse de frappe de Orvanel"));
        });
        settings().TypeTime = typeTime;
        settings().TypeActive = typeActive;
        QApplication::restoreOverrideCursor();
        Button9->setEnabled(true);
        QElapsedTimer pause;
        pause.start();
        while (SpeedTestRunning && isVisible() && pause.elapsed() < 1600) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(10);
        }
    }
    if (SpeedTestRunning) Button9Click();
}
