// The main window's run methods: the caption, the position being run, the
// variables, and the rest forwarded to the engine's runner.
#include "core/RunControl.h"

#include "core/MessageTexts.h"
#include "core/RunState.h"
#include "core/Services.h"
#include "core/Unit1.h"
#include "core/Variables.h"

#include <QApplication>
#include <QFileInfo>

QString TForm1::GetStateCaption() {
    // The states as the language names them ("Form1", "Lng_State0" to "Lng_State5").
    static const QIcon normalIcon = QApplication::windowIcon();  // the icon of start-up
    const int execState = RunState().ExecState;
    const int state = execState >= 0 && execState <= 5 ? execState : 0;
    const bool running = state == 1 || state == 5;
    const QIcon& icon = running && !RunIcon.isNull() ? RunIcon : normalIcon;
    if (QApplication::windowIcon().cacheKey() != icon.cacheKey()) QApplication::setWindowIcon(icon);
    const QString macro = StatusPanel[0]->text();
    return (macro == u"Nouvelle macro" ? NewMacroCaption() : QFileInfo(macro).fileName()) + u' ' +
           MessageText(QStringLiteral("Form1"), QStringLiteral("Lng_State%1").arg(state));
}

void TForm1::GetExecPosition(TMacroDocument*& list, int& row) {
    const TRunState& s = RunState();
    list = s.SubMacroList ? s.SubMacroList : Macro;
    row = s.SubMacroList ? s.SubMacroRow : s.CurrentOrderIndex;
}

void TForm1::ReadVariable(const QString&, const QString& name, const QString& def, QString& value) {
    value = Variables().Read(name, def);
}

void TForm1::WriteVariable(const QString& section, const QString& name, const QString& value) {
    Variables().Write(name, value, section == u"INITVAR");
}

void TForm1::Execute(QObject*, bool resumeContext, int startIndex) { Services().Run().Execute(resumeContext, startIndex); }
void TForm1::Execute1Click() { Services().Run().Execute1Click(); }
void TForm1::Paspas1Click() { Services().Run().Paspas1Click(); }
void TForm1::Stop1Click() { Services().Run().Stop1Click(); }
void TForm1::Reprendrelexcution1Click() { Services().Run().Reprendrelexcution1Click(); }
void TForm1::SpeedButton29Click() { Services().Run().SpeedButton29Click(); }
void TForm1::FormKeyUp(int key) { Services().Run().FormKeyUp(key); }
void TForm1::WaitWithMessages(unsigned milliseconds) { Services().Run().WaitWithMessages(milliseconds); }
void TForm1::FnctPause(const QString& params) { Services().Run().FnctPause(params); }
void TForm1::Execute_commande(TListView* list, int& index, QVector<bool>& activeOrder) {
    Services().Run().Execute_commande(&list->document(), index, activeOrder);
}
void TForm1::AddToRapport(const QString& command, const QString& params) {
    Services().Run().AddToRapport(command, params);
}
double TForm1::StrToNumber(const QString& text) { return Services().Run().StrToNumber(text); }
void TForm1::RaiseExecError(const QString& message, int code) { Services().Run().RaiseExecError(message, code); }
void TForm1::ExpandParamValues(TListView* list, int row, QVector<ParamValue>& pairs) {
    Services().Run().ExpandParamValues(list ? &list->document() : nullptr, row, pairs);
}
