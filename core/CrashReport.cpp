#include "core/CrashReport.h"

#include "core/FatalSignal.h"
#include "core/MapFile.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Unit34.h"
#include "core/RunControl.h"
#include "core/RunState.h"
#include "core/Services.h"
#include "core/BuildInfo.h"
#include "core/Startup.h"

#include <QDate>
#include <QDateTime>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTime>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <dlfcn.h>
#include <exception>
#include <typeinfo>
#include <unistd.h>

namespace {

thread_local quintptr lastThrow = 0;

// Frees the map data with the main window.
class MapHolder : public QObject {
public:
    using QObject::QObject;
    ~MapHolder() override { uDebugEx::FreeMapFile(); }
};

QString demangle(const char* name) {
    int status = 0;
    char* text = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    const QString out = QString::fromLatin1(status == 0 && text ? text : name);
    std::free(text);
    return out;
}

QString currentExceptionClass() {
    const std::type_info* type = abi::__cxa_current_exception_type();
    return type ? demangle(type->name()) : QStringLiteral("Exception");
}

QString hex8(quintptr value) { return ReportAddress(value); }

QString dateTimeLine(const QDateTime& when = QDateTime::currentDateTime()) {
    return u'[' + when.toString(kShortDateFormat) + QStringLiteral(" - ") + when.toString(kLongTimeFormat) + u']';
}

// The run line, the edit line, the current command and the variables it uses.
QStringList runLines(TForm1* form) {
    TMacroDocument* list = nullptr;
    int row = 0;
    form->GetExecPosition(list, row);
    const TRunState& state = RunState();
    const QString position = list != form->Macro ? QStringLiteral("%1.%2").arg(state.CurrentOrderIndex + 1).arg(row + 1)
                                                 : QString::number(row + 1);
    QStringList lines;
    lines << QStringLiteral("Run :") + TForm1::BoolToText(state.MacroRunning) +
                 (state.MacroRunning ? QStringLiteral(" (") + position + u')' : QString());
    const int selected = form->ListView1->selectedIndex();
    lines << QStringLiteral("Edited :") + TForm1::BoolToText(RowEditing().modifying) +
                 (RowEditing().modifying && selected >= 0 ? QStringLiteral(" (%1)").arg(selected + 1) : QString());
    const bool exists = list && list->hasRow(row);
    lines << QStringLiteral("Commande:") + (exists ? list->keyword(row) : QString());
    lines << QStringLiteral("Params:") + (exists ? list->params(row) : QString());
    QVector<ParamValue> used;
    Services().Run().ExpandParamValues(list, row, used);
    lines << QString() << QStringLiteral("***** VarUse *****");
    for (const ParamValue& v : used) lines << v.name + QStringLiteral(":'") + v.value + QStringLiteral("'[") + v.kind + u']';
    return lines;
}

void writeStderr(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

// An exception that escaped everything: the report goes to the standard error.
[[noreturn]] void onTerminate() {
    QString text = QStringLiteral("Orvanel : erreur fatale");
    if (std::exception_ptr e = std::current_exception()) {
        text += QStringLiteral(" (") + currentExceptionClass();
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& ex) {
            text += QStringLiteral(" : ") + QString::fromLocal8Bit(ex.what());
        } catch (...) {
        }
        text += u')';
    }
    const qint64 offset = uDebugEx::AddressToMapOffset(lastThrow);
    QString unit, procedure;
    uDebugEx::AddressToUnit(offset, unit);
    uDebugEx::AddressToProcedure(offset, procedure);
    writeStderr(text + QStringLiteral(" à 0x") + hex8(lastThrow) + u' ' + unit + u' ' + procedure + u' ' +
                uDebugEx::AddressToUnitLine(offset));
    std::abort();
}

}  // namespace

// Every throw passes here first, so that the report can name the code that threw.
namespace __cxxabiv1 {
extern "C" void __cxa_throw(void* object, std::type_info* type, void (_GLIBCXX_CDTOR_CALLABI* destroy)(void*)) {
    using Throw = void (*)(void*, std::type_info*, void (*)(void*));
    static const auto next = reinterpret_cast<Throw>(dlsym(RTLD_NEXT, "__cxa_throw"));
    lastThrow = reinterpret_cast<quintptr>(__builtin_return_address(0));
    if (next) next(object, type, destroy);
    std::abort();  // the real throw does not return
}
}  // namespace __cxxabiv1

quintptr LastThrowAddress() { return lastThrow; }

void InstallCrashHandler(TForm1* form) {
    uDebugEx::LoadMapFile();
    new MapHolder(form);
    std::set_terminate(onTerminate);
    // The open macro, as a fatal signal's report names it.
    SetCrashMacroPath(form->StatusPanel[0]->text());
    QObject::connect(qApp, &QCoreApplication::applicationNameChanged, form,
                     [form] { SetCrashMacroPath(form->StatusPanel[0]->text()); });
}

bool OrvanelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        BuildErrorReport(currentExceptionClass(), QString::fromLocal8Bit(e.what()), lastThrow);
    } catch (...) {
        BuildErrorReport(currentExceptionClass(), QString(), lastThrow);
    }
    return false;
}

QString ReportAddress(quintptr value) { return QStringLiteral("%1").arg(value, 8, 16, QChar(u'0')).toUpper(); }

QStringList ReportHeadLines(const QDateTime& when, const QString& message, quintptr address, qint64 offset,
                            const QString& className) {
    QString unit, procedure;
    uDebugEx::AddressToUnit(offset, unit);
    uDebugEx::AddressToProcedure(offset, procedure);
    // A plug-in command's module would be named here once plug-ins are loaded.
    return {dateTimeLine(when),
            QStringLiteral("Version :") + ProgramVersionText(),
            QStringLiteral("Module :") + QCoreApplication::applicationFilePath(),
            QStringLiteral("Message :") + message,
            QStringLiteral("Addr exception : 0x") + hex8(address),
            QStringLiteral("Class :") + className,
            QStringLiteral("File :") + unit,
            QStringLiteral("Procedure :") + procedure,
            QStringLiteral("Line Nr :") + uDebugEx::AddressToUnitLine(offset)};
}

void BuildErrorReport(const QString& className, const QString& message, quintptr address) {
    if (!Form1.made() || QCoreApplication::closingDown()) return;
    // Made on first use; null when what failed was its own making.
    TForm34* report = Form34;
    if (!report) return;
    report->Memo1->clear();
    report->Panel1->setText(QStringLiteral("Class :") + className);
    QStringList lines = ReportHeadLines(QDateTime::currentDateTime(), message, address,
                                        uDebugEx::AddressToMapOffset(address), className);
    lines << runLines(Form1);
    report->Memo1->setPlainText(lines.join(u'\n'));
    if (RunState().AutoRun) writeStderr(lines.join(u'\n'));
    report->show();
}

void ShowInternalError(const QString& message) {
    if (Form1.made()) Form1->ShowInternalError(message);
}

void TForm1::ShowInternalError(const QString& message) {
    TForm34* box = Form34;
    if (!box) return;
    box->Memo1->clear();
    box->Panel1->setText(QStringLiteral("Internal error [code 2]."));
    QStringList lines = {dateTimeLine(), QStringLiteral("Message :") + message,
                         QStringLiteral("Addr exception : 0x00000000")};
    lines << runLines(this);
    box->Memo1->setPlainText(lines.join(u'\n'));
    if (RunState().MacroRunning) RunState().RunEndedInError = true;
    Stop1Click();
    if (RunState().AutoRun) {  // nobody is there to close the box
        writeStderr(lines.join(u'\n'));
        return;
    }
    Services().ShowModal(*box);
}
