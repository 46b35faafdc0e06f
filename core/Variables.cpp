// The run-time variable store of TForm1: ReadVariable and WriteVariable.
#include "core/Variables.h"

#include "core/Helpers.h"
#include "core/Services.h"
#include "core/Unit1.h"

QVector<TVar> TListVar;

namespace {
// The last entry of that name, -1 when none.
int lastEntry(const QString& name) {
    for (int i = int(TListVar.size()) - 1; i >= 0; --i)
        if (TListVar[i].Name == name) return i;
    return -1;
}

void storeValue(const QString& name, const QString& value) {
    const int i = lastEntry(name);
    if (i < 0) TListVar.append({name, value, QString()});
    else TListVar[i].Value = value;
}
}  // namespace

void TForm1::ReadVariable(const QString& section, const QString& name, const QString& def, QString& value) {
    Q_UNUSED(section);
    value = def;
    if (Services().IsSysVar(name)) storeValue(name, Services().ReadSysVar(name));
    for (const TVar& v : std::as_const(TListVar)) {
        if (v.Name == name) {
            value = v.Value;
            break;
        }
    }
    RefreshWatchValue(name, value);
}

void TForm1::WriteVariable(const QString& section, const QString& name, const QString& value) {
    const bool init = section == u"INITVAR";
    QString v = value;
    if (Services().IsSysVar(name)) {
        // A read-only system variable keeps its own value whatever is assigned.
        const bool write = Services().SysVarWritable(name) && (!init || value != name);
        if (write) Services().WriteSysVar(name, value);
        else v = Services().ReadSysVar(name);
    }
    if (mdlfnct::GetVarType(name) == u"Numerique") v.remove(u' ');
    const int i = lastEntry(name);
    if (i < 0) {
        TListVar.append({name, v, QString()});
    } else {
        if (init && value == name) return;
        TListVar[i].Value = v;
    }
    RefreshWatchValue(name, v);
}
