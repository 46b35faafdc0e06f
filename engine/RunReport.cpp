// The runner's run-time errors and what the report says of each row.
#include "core/Dialogs.h"
#include "core/Settings.h"
#include "engine/Runner.h"
#include "engine/SysVars.h"
#include "engine/mdlfnct.h"

namespace {
enum Reaction { kStop = 1, kAskRetry = 2, kAskGoOn = 3 };
}  // namespace

// The one place that decides what follows an error: the reaction its code
// gives, or "[ERROR.ADAPTATOR]" for code 0 (a stop when it is no number).
bool TRunner::answerError(const CommandResult& error) {
    const QString& message = error.error;
    int reaction = error.code;
    if (reaction == 0) {
        const QString adaptator = ctx_.Vars.ValueOf(QStringLiteral("[ERROR.ADAPTATOR]"));
        reaction = mdlfnct::IsInteger(adaptator) ? mdlfnct::StrToIntOrZero(adaptator) : kStop;
    }
    report_.AddLine(message, QColor(0xFF, 0, 0));
    vars_.Write(QStringLiteral("[ERROR]"), message);
    emit state_.ErrorRaised();

    const QString position = state_.SubMacroList
                                 ? QStringLiteral("%1.%2").arg(state_.CurrentOrderIndex + 1).arg(state_.SubMacroRow + 1)
                                 : QString::number(state_.CurrentOrderIndex + 1);
    auto stop = [this] {
        state_.RunEndedInError = true;
        Stop1Click();
    };
    switch (reaction) {
    case kStop: {
        const QString text = QStringLiteral("%1 Arrêt de la macro%2. [Position %3]")
                                 .arg(message, error.code == kStop ? QStringLiteral(" inévitable") : QString(), position);
        if (state_.AutoRun) ReportUnattended(text);
        else MessageDlg(text, MsgType::Error, mbOK);
        stop();
        return false;
    }
    case kAskRetry:
        // Unattended, the row is not tried again (it would fail for ever): the run goes on.
        return MessageDlg(QStringLiteral("%1 Confirmez la tentative de reprise. [Position %2]").arg(message, position),
                          MsgType::Error, mbYes | mbNo, QString(), mrNo) == mrYes;
    case kAskGoOn:
        if (MessageDlg(QStringLiteral("%1 Confirmez la poursuite de l'exécution. [Position %2]").arg(message, position),
                       MsgType::Error, mbYes | mbNo, QString(), mrYes) == mrNo)
            stop();
        return false;
    default: return false;
    }
}

void TRunner::RaiseExecError(const QString& message, int code) {
    if (handlerDepth_ > 0) {  // the row's own error: its handler answers it
        if (!ctx_.PendingError.failed()) ctx_.PendingError = RunError(message, code);
        return;
    }
    answerError(RunError(message, code));
}

void TRunner::AddToRapport(const QString& command, const QString& params) {
    if (command == QLatin1String("Procedure") && mdlfnct::ProcedureRowRole(params) != mdlfnct::ProcedureRole::Call) return;
    QString values;
    if (command != QLatin1String("Parcours souris")) {
        QVector<ParamValue> pairs;
        ExpandParamValues(&ctx_.ListBeingRun(), ctx_.RowBeingRun(), pairs);
        for (const ParamValue& p : pairs) values += u' ' + p.name + u'=' + p.value;
    }
    report_.AddCommand(command, params, values);
}

void TRunner::ExpandParamValues(const TMacroDocument* list, int row, QVector<ParamValue>& pairs) {
    pairs.clear();
    if (!list || !list->hasRow(row)) return;
    const QString keyword = list->keyword(row);
    const QString params = list->params(row);
    auto add = [&](const QString& name, const QString& kind) {
        QString value = vars_.Read(name, kind == QLatin1String("Numerique") ? QStringLiteral("0") : QString());
        if (name == QLatin1String("[PASSWORD]")) value = QStringLiteral("********");
        else if (kind == QLatin1String("Alpha")) value = u'\'' + value + u'\'';
        pairs.append({name, value, kind});
    };
    // Expressions name their variables anywhere in their text.
    if (keyword == QStringLiteral("Calcul évolué") || keyword == QLatin1String("ScriptEval")) {
        for (int r = 0; r < list->count(); ++r) {
            if (list->keyword(r) != QLatin1String("Variable")) continue;
            const TParamFields f = SplitFields(list->params(r), ctx_.Separator(), SplitRule::Runner);
            if (!f[1].isEmpty() && params.contains(f[1])) add(f[1], vars_.KindOf(f[1]));
        }
        return;
    }
    const TParamFields f = SplitFields(params, ctx_.Separator(), SplitRule::Editor);
    for (int i = 1; i < f.Count && i <= 20; ++i) {
        const QString kind = vars_.KindOf(f[i]);
        if (kind == QLatin1String("No_Type")) continue;
        // A declaration of a writable system variable does not read it before it runs.
        const int sys = SystemVariableIndex(f[i]);
        if (i == 1 && keyword == QLatin1String("Variable") && sys >= 0 && TListOfSysVar[sys].Writable &&
            f[1] != QLatin1String("[PASSWORD]"))
            pairs.append({f[1], kind == QLatin1String("Numerique") ? QStringLiteral("0") : QStringLiteral("''"), kind});
        else
            add(f[i], kind);
    }
}

double TRunner::StrToNumber(const QString& text) {
    QString t = text;
    if (!mdlfnct::IsFloat(t) && !mdlfnct::IsInteger(t)) t.replace(u',', u'.');  // "." is the decimal separator
    if (mdlfnct::IsInteger(t)) return mdlfnct::StrToIntOrZero(t);
    if (mdlfnct::IsFloat(t)) return t.trimmed().toDouble();
    RaiseExecError(text + QStringLiteral(" n'est pas une valeur numérique valide."), 0);
    return 0;
}
