// The run-time variable store.
#include "core/Variables.h"

#include "core/MacroDocument.h"
#include "core/RunControl.h"
#include "core/RunState.h"
#include "core/Services.h"

TVariables& Variables() { return Services().Run().Vars(); }

// The last entry of that name, -1 when none.
int TVariables::lastEntry(const QString& name) const {
    for (int i = int(entries_.size()) - 1; i >= 0; --i)
        if (entries_[i].Name == name) return i;
    return -1;
}

void TVariables::store(const QString& name, const QString& value) {
    const int i = lastEntry(name);
    if (i < 0) entries_.append({name, value, QString()});
    else entries_[i].Value = value;
}

QString TVariables::Read(const QString& name, const QString& def) {
    QString value = def;
    if (Services().IsSysVar(name)) store(name, Services().ReadSysVar(name));
    for (const TVar& v : std::as_const(entries_)) {
        if (v.Name == name) {
            value = v.Value;
            break;
        }
    }
    emit ValueSeen(name, value);
    return value;
}

void TVariables::Write(const QString& name, const QString& value, bool init) {
    QString v = value;
    if (Services().IsSysVar(name)) {
        // A read-only system variable keeps its own value whatever is assigned.
        const bool write = Services().SysVarWritable(name) && (!init || value != name);
        if (write) Services().WriteSysVar(name, value);
        else v = Services().ReadSysVar(name);
    }
    if (KindOf(name) == u"Numerique") v.remove(u' ');
    const int i = lastEntry(name);
    if (i < 0) {
        entries_.append({name, v, QString()});
    } else {
        if (init && value == name) return;
        entries_[i].Value = v;
    }
    emit ValueSeen(name, v);
}

const TMacroDocument* TVariables::Declarations() const {
    return Run && Run->SubMacroList ? Run->SubMacroList : Main;
}

QString TVariables::KindOf(const QString& name) const {
    const TMacroDocument* declarations = Declarations();
    return declarations ? declarations->KindOf(name) : QStringLiteral("No_Type");
}

QString TVariables::ValueOf(const QString& field) {
    const QString kind = KindOf(field);
    if (kind == u"Numerique") return Read(field, QStringLiteral("0"));
    if (kind == u"Alpha") return Read(field);
    return kind == u"No_Type" ? field : QString();
}
