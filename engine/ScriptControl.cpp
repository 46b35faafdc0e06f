#include "engine/ScriptControl.h"

#include "core/MacroDocument.h"
#include "core/VBScript.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/mdlfnct.h"

#include <QCoreApplication>
#include <QJSEngine>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Interrupts the engine when the evaluation outlives its bound.
class Watchdog {
public:
    Watchdog(QJSEngine& engine, std::chrono::milliseconds bound)
        : thread_([this, &engine, bound](std::stop_token stop) {
              std::unique_lock lock(mutex_);
              wake_.wait_for(lock, stop, bound, [] { return false; });
              if (stop.stop_requested()) return;
              fired_ = true;
              engine.setInterrupted(true);
          }) {}
    // Stops the watch; the engine may evaluate again.
    bool finish(QJSEngine& engine) {
        thread_.request_stop();
        thread_.join();
        engine.setInterrupted(false);
        return fired_;
    }

private:
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::atomic<bool> fired_ = false;
    std::jthread thread_;  // last: starts once the rest is made
};

// The numbers of the engine's error kinds.
int errorNumber(const QString& name) {
    if (name == u"SyntaxError") return 1002;
    if (name == u"ReferenceError") return 5009;
    if (name == u"TypeError") return 5002;
    if (name == u"RangeError") return 5029;
    return 0;
}

// A Boolean stays one; any other value is its text (an array has none).
QVariant evalVBScript(const QString& expression) {
    vbscript::Value v;
    std::optional<vbscript::Error> error = vbscript::Evaluate(expression, v);
    if (!error && v.type == vbscript::Value::Array) error = vbscript::Error{13, QStringLiteral("Type incompatible")};
    if (error) throw EScriptError{error->description, error->number};
    if (v.type == vbscript::Value::Boolean) return QVariant(v.number != 0);
    return QVariant(vbscript::ToText(v));
}

QString boundText(std::chrono::milliseconds bound) {
    return bound >= 1s ? QStringLiteral("%1 s").arg(bound.count() / 1000.0) : QStringLiteral("%1 ms").arg(bound.count());
}

// The variables of a list that the list being run declares, with their values.
void addVariables(TVariables& vars, const TMacroDocument& list, ScriptVariables& out) {
    for (ScriptVariable v : DeclaredScriptVariables(&list)) {
        const QString kind = vars.KindOf(v.name);
        if (kind != u"Alpha" && kind != u"Numerique") continue;
        v.value = vars.ValueOf(v.name);
        v.numeric = kind == u"Numerique";
        out << v;
    }
}

}  // namespace

TScriptControl::TScriptControl() : js_(new QJSEngine(QCoreApplication::instance())) {}

TScriptControl::~TScriptControl() { delete js_.data(); }

void TScriptControl::Reset(std::chrono::milliseconds bound) {
    if (ScriptLanguageOf(Language) == ScriptLanguage::JScript) Eval(QStringLiteral("result=\"\""), bound);
}

QVariant TScriptControl::Eval(const QString& expression, std::chrono::milliseconds bound) {
    switch (ScriptLanguageOf(Language)) {
        case ScriptLanguage::JScript: return evalJScript(expression, bound);
        case ScriptLanguage::VBScript: return evalVBScript(expression);
        case ScriptLanguage::Unknown: break;
    }
    throw EScriptError{QStringLiteral("Aucun moteur de script pour le langage « %1 »").arg(Language), 0};
}

QVariant TScriptControl::evalJScript(const QString& expression, std::chrono::milliseconds bound) {
    if (!js_) throw EScriptError{QStringLiteral("Le moteur JScript n'est plus disponible"), 0};
    QStringList thrownFrom;  // filled when the evaluation threw
    Watchdog watchdog(*js_, bound);
    const QJSValue value = js_->evaluate(expression, QString(), 1, &thrownFrom);
    if (watchdog.finish(*js_) && value.isError() && thrownFrom.isEmpty())
        throw EScriptError{QStringLiteral("Le script ne s'est pas terminé en %1 : il a été interrompu")
                               .arg(boundText(bound)),
                           0};
    if (!thrownFrom.isEmpty())
        throw EScriptError{value.toString(), errorNumber(value.property(QStringLiteral("name")).toString())};
    if (value.isBool()) return QVariant(value.toBool());
    if (value.isUndefined() || value.isNull()) return QVariant(QString());
    return QVariant(value.toString());
}

namespace {
// A control for the program's life, made once there is an application object to own its engine.
TScriptControl* madeOnce(std::unique_ptr<TScriptControl>& control) {
    if (!control && QCoreApplication::instance()) control = std::make_unique<TScriptControl>();
    return control.get();
}
}  // namespace

TScriptControl* ScriptControl() {
    static std::unique_ptr<TScriptControl> control;
    return madeOnce(control);
}

QVariant MSScriptEval(TRunContext& ctx, const QString& params, QString* error) {
    const QString languageName = ParamView(Command::ScriptEval, params, ctx.Separator()).text(1);
    const ScriptLanguage language = ScriptLanguageOf(languageName);
    TScriptControl* control = ScriptControl();
    try {
        if (!control) throw EScriptError{QStringLiteral("Le moteur de script n'est pas disponible"), 0};
        ScriptVariables variables;
        addVariables(ctx.Vars, ctx.Main, variables);
        if (&ctx.ListBeingRun() != &ctx.Main) addVariables(ctx.Vars, ctx.ListBeingRun(), variables);
        control->Language = languageName;
        control->Reset(kRunBound);
        return control->Eval(SubstituteVariables(language, ScriptExpressionOf(params), variables), kRunBound);
    } catch (const EScriptError& e) {
        if (error) *error = e.Description + QStringLiteral(". code [") + QString::number(e.Number) + u']';
    }
    return QVariant();
}

// A Boolean makes the row a condition, decided by the value already in hand
// (evaluating again would repeat what the expression does); any other value
// goes into the result variable.
CommandResult ExecScriptEval(CommandCall& c) {
    QString error;
    const QVariant value = MSScriptEval(c.ctx, c.params, &error);
    if (!value.isValid()) return RunError(error);
    if (value.typeId() == QMetaType::Bool)
        BranchOnCondition(c, value.toBool(), QStringLiteral("ScriptEval"));
    else
        c.Write(c.param.text(2), value.toString());
    return Done();
}

bool TestScriptExpression(const TMacroDocument* list, int row) {
    static std::unique_ptr<TScriptControl> control;
    TScriptControl* sandbox = madeOnce(control);
    if (!sandbox) return false;
    // The checker's sandbox tries the third field alone, where the run evaluates the rest of the string.
    const ParamView p(Command::ScriptEval, list->params(row), ParamSeparator());
    sandbox->Language = p.text(1);
    return sandbox->Eval(ScriptTestExpression(list, ScriptLanguageOf(p.text(1)), p.textAt(3)), kPreviewBound).typeId() ==
           QMetaType::Bool;
}
