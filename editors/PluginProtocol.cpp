// What plug-ins ask of the main window while they run or edit (messages 2258
// to 2265, plugins/OrvanelPlugin.h, which the layers cannot include).
#include "editors/PluginPalette.h"

#include "core/Helpers.h"
#include "core/History.h"
#include "core/MacroFile.h"
#include "core/Params.h"
#include "core/Unit1.h"
#include "engine/GestionCommande.h"
#include "engine/Runner.h"
#include "platform/WindowMessages.h"

#include <QPalette>

namespace {

enum PluginMessage : unsigned {
    WMPluginQuery = 2258,
    WMPluginStop = 2259,
    WMPluginSubMacro = 2260,
    WMPluginPosOrder = 2261,
    WMPluginGetVar = 2262,
    WMPluginSetVar = 2263,
    WMPluginError = 2264,
    WMPluginAddCommand = 2265,
};

// A text a plug-in passes as a message parameter.
QString text(quintptr pointer) { return QString::fromUtf8(reinterpret_cast<const char*>(pointer)); }

platform::HWND mainWindow() { return platform::HWND(Form1->winId()); }

// The plug-in a message comes from (its module handle); null when no loaded plug-in has it.
const TDynamiqueOrder* sender(platform::WPARAM module) {
    const int i = GetPluginIndex(module);
    return i > 0 ? &DynamiqueOrders[i] : nullptr;
}

// Answers through the plug-in's GetInfoFromOrvanel; nothing to a plug-in no one knows.
void answer(const TDynamiqueOrder* p, const QString& key, const QString& text, int value, bool valid = true) {
    if (p) p->F.GetInfoFromOrvanel(key, text, value, valid);
}

TMacroDocument* listBeingRun() { return &Runner->Context().ListBeingRun(); }

// The rows of a keyword in a list, in order.
QVector<int> rowsOf(const TMacroDocument* list, const QString& keyword) {
    QVector<int> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->keyword(i) == keyword) rows << i;
    return rows;
}

// The row a plug-in's "Array param" queries read: the one being run, else
// the selected one while a dialog edits it; false when there is none.
bool currentRow(const TMacroDocument*& list, int& row) {
    if (Runner->State().ExecState != 0) {
        list = &Runner->Context().ListBeingRun();
        row = Runner->Context().RowBeingRun();
    } else {
        list = Form1->Macro;
        row = RowEditing().modifying ? Form1->ListView1->selectedIndex() : -1;
    }
    return list && list->hasRow(row);
}

// A colour as the classic desktop writes it: 0x00BBGGRR.
int colourValue(const QColor& c) { return c.red() | c.green() << 8 | c.blue() << 16; }

// Query 35: the run goes on at the first "Label" row whose parameter string is
// the atom's name, or starts there when no macro runs.
void runFromLabel(platform::WPARAM atom) {
    const QString label = platform::desktop().GlobalGetAtomName(quint32(atom)).left(255);
    const TMacroDocument* list = listBeingRun();
    for (int r = 0; r < list->count(); ++r) {
        if (list->keyword(r) != QLatin1String("Label") || list->params(r) != label) continue;
        if (Runner->State().MacroRunning)  // rows are counted from 1, as the position message expects
            platform::PostMessage(mainWindow(), WMPluginPosOrder, atom, r + 1);
        else
            Form1->Execute(Form1, false, r);
        return;
    }
    Runner->RaiseExecError(QStringLiteral("Label ") + label + QStringLiteral(" introuvable"), 0);
}

void query(const platform::WindowMessage& m) {
    const int code = int(m.lParam);
    const TDynamiqueOrder* p = m.remote ? nullptr : sender(m.wParam);  // another program gets no answer
    const TMacroDocument* list = listBeingRun();
    const QStringList variables = list->Variables(true, true);
    switch (code) {
    case 0: CancelNewOrder = true; return;
    case 1: {
        const QString shown = Form1->StatusPanel[0]->text();
        return answer(p, QStringLiteral("Macro filename"),
                      !OpenMacroFile().aliasExe.isEmpty() ? OpenMacroFile().aliasExe : shown == QLatin1String("Nouvelle macro") ? QString() : shown, 0);
    }
    case 2: return answer(p, QStringLiteral("Filename plugin"), p ? p->Name : QString(), 0);
    case 3: return answer(p, QStringLiteral("Filename config"), Form1->GetConfigFileName(), 0);
    case 4: return answer(p, QStringLiteral("Char of separation"), QString(ParamSeparator()), 0);
    case 5: return answer(p, QStringLiteral("Count Order"), QString(), list->count());
    // No bitmap or font handles on this desktop.
    case 6: return answer(p, QStringLiteral("Handle BackGround"), QString(), 0, false);
    case 7: return answer(p, QStringLiteral("GetFont"), QString(), 0, false);
    case 8: {
        const QWidget* panel = Form1->findChild<QWidget*>(QStringLiteral("Panel4"));
        return answer(p, QStringLiteral("GetFont"), QString(),
                      colourValue((panel ? panel : Form1)->palette().color(QPalette::WindowText)));
    }
    case 9: return answer(p, QStringLiteral("OrvanelHandle"), QString(), int(mainWindow()));
    case 10: return answer(p, QStringLiteral("LibraryHandle"), QString(), p ? int(p->Module) : 0);
    case 31: return answer(p, QStringLiteral("ContextOfExecute"), QString(), Runner->State().ExecState);
    case 32: return Form1->Execute1Click();
    case 33:  // the Pause button is live only during a run
        if (Runner->State().MacroRunning) Form1->SpeedButton29Click();
        return;
    case 34: return Form1->Stop1Click();
    case 35: return runFromLabel(m.wParam);
    case 36: return Form1->Nouveau1Click();
    case 1000:
    case 2000: return answer(p, QStringLiteral("Variable count"), QString(), int(rowsOf(list, QStringLiteral("Variable")).size()));
    case 3000: return answer(p, QStringLiteral("Objet count"), QString(), int(rowsOf(list, QStringLiteral("Objet")).size()));
    default: break;
    }
    if (code >= 11 && code <= 30) {
        const TMacroDocument* rows = nullptr;
        int row = -1;
        const bool exists = currentRow(rows, row);
        return answer(p, QStringLiteral("Array param"), exists ? TForm1::GetParam(rows->params(row))[code - 10] : QString(), 0,
                      exists);
    }
    if (code > 1000 && code < 2000) {
        const qsizetype n = code - 1000;
        return answer(p, QStringLiteral("Variable name"), variables.value(n - 1), 0, n <= variables.size());
    }
    if (code > 2000 && code < 3000) {
        const qsizetype n = code - 2000;
        const bool known = n <= variables.size();
        return answer(p, QStringLiteral("Variable type"),
                      known ? mdlfnct::GetVarType(variables[n - 1]) : QStringLiteral("Unknow"), 0, known);
    }
    if (code > 3000 && code < 4000) {
        const QVector<int> objects = rowsOf(list, QStringLiteral("Objet"));
        const qsizetype n = code - 3000;
        const bool known = n <= objects.size();
        return answer(p, QStringLiteral("Objet name"), known ? TForm1::GetParam(list->params(objects[n - 1]))[1] : QString(),
                      0, known);
    }
    answer(p, QString(), QString(), 0, false);
}

// 0 asks where the run is; n (from 1) places it on row n of the list being run.
void position(const platform::WindowMessage& m) {
    TRunContext& ctx = Runner->Context();
    const TMacroDocument* list = listBeingRun();
    const bool main = list == &ctx.Main;
    if (m.lParam == 0) {
        const TDynamiqueOrder* p = m.remote ? nullptr : sender(m.wParam);
        return answer(p, QStringLiteral("Pos Order"), QString(), ctx.RowBeingRun() + 1);
    }
    // A sub-macro's rows are placed by the sub-macro's own loop.
    if (!main || m.lParam < 1 || m.lParam > list->count()) return;
    ctx.State.CurrentOrderIndex = int(m.lParam) - 1;
    NotePluginMovedRun();
}

void subMacroRow(const TDynamiqueOrder* p, platform::LPARAM n) {
    if (!p) return;
    const TMacroDocument* list = listBeingRun();
    if (n >= 1 && n <= list->count())
        p->F.GetListOrder(list->keyword(int(n - 1)), list->params(int(n - 1)), true);
    else
        p->F.GetListOrder(QString(), QString(), false);
}

// Codes 0 to 4 are run-time errors; from 5 on, a note in the report and "[ERROR]".
void error(int code, const QString& message) {
    if (code < 5) return Runner->RaiseExecError(message, code);
    Runner->Report().AddLine(message, QColor(0, 0x80, 0));
    Runner->Vars().Write(QStringLiteral("[ERROR]"), message);
}

void addCommand(const TDynamiqueOrder* p, const QString& params) {
    if (!p) return;
    if (params.size() > kMaxFieldLength) return;
    const EditModeAs add(false);
    Form1->add_insert(p->Name, params, p->ImageIndex);
}

platform::LRESULT onMessage(const platform::WindowMessage& m) {
    // Texts come as pointers into this program: another program's message cannot carry them.
    const bool local = !m.remote;
    switch (m.message) {
    case WMPluginQuery: query(m); break;
    case WMPluginStop: Form1->Stop1Click(); break;
    case WMPluginSubMacro:
        if (local) subMacroRow(sender(m.wParam), m.lParam);
        break;
    case WMPluginPosOrder: position(m); break;
    case WMPluginGetVar:
        if (local && m.lParam)
            answer(sender(m.wParam), QStringLiteral("GET_VAR_VALUE"), Runner->Vars().ValueOf(text(m.lParam)), 0);
        break;
    case WMPluginSetVar:
        if (local && m.wParam)
            Runner->Vars().Write(text(m.wParam), m.lParam ? text(m.lParam) : QString());
        break;
    case WMPluginError:
        if (local && m.lParam) error(int(qintptr(m.wParam)), text(m.lParam));
        break;
    case WMPluginAddCommand:
        if (local && m.lParam) addCommand(sender(m.wParam), text(m.lParam));
        break;
    default: break;
    }
    return 0;
}

}  // namespace

void InstallPluginMessages(TForm1& form) {
    const platform::HWND window = platform::HWND(form.winId());
    platform::SetMessageHandler(window, onMessage);
    QObject::connect(&form, &QObject::destroyed, [window] { platform::SetMessageHandler(window, {}); });
}
