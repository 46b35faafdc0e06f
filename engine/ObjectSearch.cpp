#include "engine/ObjectSearch.h"

#include "core/CommandParams.h"
#include "core/Params.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"

#include <functional>

QVector<quint64> ObjectCandidates;

namespace {

struct CriterionBit {
    bool TCmObjet::*use;
    quint16 bit;
};
constexpr CriterionBit kCriteria[] = {{&TCmObjet::UseParent, kUseParent}, {&TCmObjet::UseApplication, kUseApplication},
                                      {&TCmObjet::UseClass, kUseClass},   {&TCmObjet::UseText, kUseText},
                                      {&TCmObjet::UseWidth, kUseWidth},   {&TCmObjet::UseHeight, kUseHeight}};

QString classUpToColon(const QString& name) { return FieldValue(name).section(u':', 0, 0); }

QSize sizeOf(quint64 w) {
    QRect r;
    return platform::desktop().GetWindowRect(w, r) ? r.size() : QSize(0, 0);
}

}  // namespace

quint16 TCmObjet::CriteriaFlags() const {
    quint16 flags = HandleFlag ? kHandleBit : 0;
    for (const CriterionBit& c : kCriteria)
        if (this->*c.use) flags |= c.bit;
    return flags;
}

void TCmObjet::SetCriteriaFlags(quint16 flags) {
    for (const CriterionBit& c : kCriteria) this->*c.use = flags & c.bit;
}

void TCmObjet::SetAllCriteria(bool on) {
    for (const CriterionBit& c : kCriteria) this->*c.use = on;
}

QString FieldValue(const QString& value) {
    const qsizetype at = value.indexOf(ParamSeparator());
    return at < 0 ? value : value.left(at);
}

// Read more leniently than declared: a handle that is no number is 0; the
// sizes and actions are any integer (0 when none); the criteria's bits go up
// to 65535.
TCmObjet ObjectFromParams(const QString& params, QChar separator, bool* flagsInRange) {
    const ParamView p(Command::Objet, params, separator);
    auto number = [&p](int n) { return int(p.integer(n).value_or(0)); };
    TCmObjet o;
    o.Handle = p.text(1).toLongLong();
    o.ParentHandle = p.text(2).toLongLong();
    o.Application = p.text(3);
    o.ClassName = p.text(4);
    o.Text = p.text(5);
    o.Width = number(6);
    o.Height = number(7);
    o.NotFoundAction = number(8);
    o.SeveralAction = number(9);
    o.CountVariable = p.text(10);
    o.Choice = p.text(11);
    bool isNumber = false;
    const qlonglong flags = p.text(12).toLongLong(&isNumber);
    const bool inRange = isNumber && flags >= 0 && flags <= 65535;
    o.SetCriteriaFlags(inRange ? quint16(flags) : 0);
    if (flagsInRange) *flagsInRange = inRange;
    return o;
}

QString ObjectParams(const TCmObjet& o) {
    const QStringList fields = {QString::number(o.Handle), QString::number(o.ParentHandle), FieldValue(o.Application),
                                FieldValue(o.ClassName),   FieldValue(o.Text),             QString::number(o.Width),
                                QString::number(o.Height), QString::number(o.NotFoundAction),
                                QString::number(o.SeveralAction), FieldValue(o.CountVariable), FieldValue(o.Choice),
                                QString::number(o.CriteriaFlags())};
    QString s;
    for (const QString& field : fields) s += field + ParamSeparator();
    return s;
}

quint64 FindObjectWindow(const TCmObjet& o) {
    platform::Platform& d = platform::desktop();
    QVector<quint64>& found = ObjectCandidates;
    found.clear();
    for (quint64 top : d.EnumWindows()) {
        if (o.UseApplication && mdlfnct::GetWindowExeName(top) != o.Application) continue;
        found << top;
        for (quint64 child : d.EnumChildWindows(top)) found << child;
    }
    const QString wantedClass = classUpToColon(o.ClassName);
    const QString wantedText = FieldValue(o.Text);
    const std::pair<bool, std::function<bool(quint64)>> tests[] = {
        {o.UseParent, [&](quint64 w) { return qint64(d.GetParent(w)) == o.ParentHandle; }},
        {o.UseApplication, [&](quint64 w) { return mdlfnct::GetWindowExeName(w) == o.Application; }},
        {o.UseClass, [&](quint64 w) { return classUpToColon(mdlfnct::GetWindowClass(w)) == wantedClass; }},
        {o.UseText, [&](quint64 w) { return FieldValue(mdlfnct::GetWindowCaption(w)) == wantedText; }},
        {o.UseWidth, [&](quint64 w) { return sizeOf(w).width() == o.Width; }},
        {o.UseHeight, [&](quint64 w) { return sizeOf(w).height() == o.Height; }},
    };
    for (const auto& test : tests)
        if (test.first) found.removeIf([&](quint64 w) { return !test.second(w); });
    return found.value(0);
}

TCmObjet DescribeWindow(quint64 w) {
    const QSize size = sizeOf(w);
    TCmObjet o;
    o.Handle = qint64(w);
    o.ParentHandle = qint64(platform::desktop().GetParent(w));
    o.Application = mdlfnct::GetWindowExeName(w);
    o.ClassName = mdlfnct::GetWindowClass(w);
    o.Text = mdlfnct::GetWindowCaption(w).left(254);
    o.Width = size.width();
    o.Height = size.height();
    o.SetAllCriteria(true);
    return o;
}
