// The main window's run methods: the caption, the position being run, and
// the rest forwarded to the engine's runner.
#include "core/RunControl.h"

#include "core/MessageTexts.h"
#include "core/RunState.h"
#include "core/Services.h"
#include "core/Unit1.h"

#include <QApplication>
#include <QFileInfo>

QString TForm1::GetStateCaption() {
    // The states as the language names them ("Form1", "Lng_State0" to "Lng_State5").
    static const QIcon normalIcon = QApplication::windowIcon();  // the icon of start-up
    const int state = ExecState >= 0 && ExecState <= 5 ? ExecState : 0;
    const bool running = state == 1 || state == 5;
    const QIcon& icon = running && !RunIcon.isNull() ? RunIcon : normalIcon;
    if (QApplication::windowIcon().cacheKey() != icon.cacheKey()) QApplication::setWindowIcon(icon);
    const QString macro = StatusPanel[0]->text();
    return (macro == u"Nouvelle macro" ? NewMacroCaption() : QFileInfo(macro).fileName()) + u' ' +
           MessageText(QStringLiteral("Form1"), QStringLiteral("Lng_State%1").arg(state));
}

void TForm1::GetExecPosition(TListView*& list, int& row) {
    if (SubMacroList) {
        list = SubMacroList;
        row = SubMacroRow;
    } else {
        list = ListView1;
        row = CurrentOrderIndex;
    }
}

void TForm1::Execute(QObject* sender, bool resumeContext, int startIndex) {
    Services().Run().Execute(sender, resumeContext, startIndex);
}
void TForm1::Execute1Click() { Services().Run().Execute1Click(); }
void TForm1::Paspas1Click() { Services().Run().Paspas1Click(); }
void TForm1::Stop1Click() { Services().Run().Stop1Click(); }
void TForm1::Pointdarrt1Click() { Services().Run().Pointdarrt1Click(); }
void TForm1::Reprendrelexcution1Click() { Services().Run().Reprendrelexcution1Click(); }
void TForm1::SpeedButton29Click() { Services().Run().SpeedButton29Click(); }
void TForm1::Executer1Click() { Services().Run().Executer1Click(); }
void TForm1::FormKeyUp(int key) { Services().Run().FormKeyUp(key); }
void TForm1::WaitWithMessages(unsigned milliseconds) { Services().Run().WaitWithMessages(milliseconds); }
void TForm1::FnctPause(const QString& params) { Services().Run().FnctPause(params); }
void TForm1::Execute_commande(TListView* list, int& index, QVector<bool>& activeOrder) {
    Services().Run().Execute_commande(list, index, activeOrder);
}
void TForm1::RaiseExecError(const QString& message, int code) { Services().Run().RaiseExecError(message, code); }
void TForm1::AddToRapport(const QString& command, const QString& params) {
    Services().Run().AddToRapport(command, params);
}
void TForm1::ExpandParamValues(TListView* list, int row, QVector<ParamValue>& pairs) {
    Services().Run().ExpandParamValues(list, row, pairs);
}
double TForm1::StrToNumber(const QString& text) { return Services().Run().StrToNumber(text); }
void TForm1::CheckBox3Click() { Services().Run().CheckBox3Click(); }
void TForm1::ComboBox1Change() { Services().Run().ComboBox1Change(); }
