#include "engine/Recorder.h"

#include "core/Dialogs.h"
#include "core/Helpers.h"
#include "core/MacroFileRecord.h"
#include "core/RunState.h"
#include "core/CommandNames.h"
#include "engine/Runner.h"
#include "engine/SysVars.h"
#include "engine/ObjectSearch.h"
#include "engine/mdlfnct.h"
#include "platform/VirtualKeys.h"

#include <QCoreApplication>
#include <QElapsedTimer>

using namespace platform;

namespace recorder {

namespace {

QString fields(std::initializer_list<QString> values) {
    QString s;
    for (const QString& v : values) s += v + ParamSeparator();
    return s;
}

QString field(const MacroCommand& row, int n) {
    return SplitFields(row.params, ParamSeparator(), SplitRule::Runner)[n];
}

bool isRow(const MacroCommand& row, QLatin1StringView keyword) { return row.keyword == keyword; }

// "Type Special" key;"[KeyDown]"; (or "[KeyUp]"), by the key's name.
bool isKeyAction(const MacroCommand& row, const QString& action, QString* key = nullptr) {
    if (row.keyword != u"Type Special") return false;
    const TParamFields f = SplitFields(row.params, ParamSeparator(), SplitRule::Runner);
    if (f[2] != action || row.params != fields({f[1], f[2]})) return false;
    if (key) *key = f[1];
    return true;
}

bool isShiftName(const QString& name) {
    return !name.isEmpty() && (name == mdlfnct::KeyNameOfVk(VK_SHIFT) || name == mdlfnct::LastKeyNameOfVk(VK_SHIFT));
}

// The typed text a "Type Special" row of one key stands for: the space bar, a keypad digit.
QString typedTextOf(const MacroCommand& row) {
    if (row.keyword != u"Type Special") return QString();
    if (row.params == mdlfnct::KeyNameOfVk(VK_SPACE) + ParamSeparator()) return QStringLiteral(" ");
    for (int d = 0; d <= 9; ++d)
        if (row.params == mdlfnct::KeyNameOfVk(VK_NUMPAD0 + d) + ParamSeparator()) return QString::number(d);
    return QString();
}

// One step of the optimiser on rows[i] and the rows before it; false when no rule applies.
bool mergeAt(QVector<MacroCommand>& rows, int i) {
    MacroCommand& cur = rows[i];
    MacroCommand& prev = rows[i - 1];
    static const QString kButtons[] = {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Middle")};
    if (isRow(cur, QLatin1StringView("Click")) && isRow(prev, QLatin1StringView("Click")))
        for (const QString& b : kButtons)
            if (field(cur, 1) == b + QLatin1String(" Up") && field(prev, 1) == b + QLatin1String(" Down")) {
                cur.params = fields({b + QLatin1String(" click")});
                rows.remove(i - 1);
                return true;
            }
    if (isRow(cur, QLatin1StringView("Pause")) && isRow(prev, QLatin1StringView("Pause"))) {
        const int a = TimeSeconds(field(prev, 1)), b = TimeSeconds(field(cur, 1));
        if (a >= 0 && b >= 0) {
            cur.params = fields({TimeText(a + b)});
            rows.remove(i - 1);
            return true;
        }
    }
    if (isRow(prev, QLatin1StringView("Pause")) && field(prev, 1) == u"00:00:00") {
        rows.remove(i - 1);
        return true;
    }
    if (isRow(cur, QLatin1StringView("Move Mouse")) && isRow(prev, QLatin1StringView("Parcours souris")) &&
        prev.params.size() < 240) {
        prev.params += fields({field(cur, 1), field(cur, 2)});
        rows.remove(i);
        return true;
    }
    if (isRow(cur, QLatin1StringView("Click")) && isRow(prev, QLatin1StringView("Click"))) {
        const QString wheel = field(cur, 1);
        if ((wheel == u"Whell Up" || wheel == u"Whell Down") && field(prev, 1) == wheel) {
            cur.params = fields({wheel, QString::number(mdlfnct::StrToIntOrZero(field(prev, 2)) +
                                                        mdlfnct::StrToIntOrZero(field(cur, 2)))});
            rows.remove(i - 1);
            return true;
        }
    }
    QString down, up;
    if (isKeyAction(prev, QStringLiteral("[KeyDown]"), &down) && isKeyAction(cur, QStringLiteral("[KeyUp]"), &up) &&
        down == up) {
        cur.params = fields({up});
        rows.remove(i - 1);
        return true;
    }
    // Shift around one typed character: the character was recorded as typed
    // (with Shift), so it stays as it is.
    if (i >= 2 && isKeyAction(rows[i - 2], QStringLiteral("[KeyDown]"), &down) && isShiftName(down) &&
        isRow(prev, QLatin1StringView("Type")) && prev.params.size() == 1 &&
        isKeyAction(cur, QStringLiteral("[KeyUp]"), &up) && up == down) {
        rows.remove(i);
        rows.remove(i - 2);
        return true;
    }
    if (const QString text = typedTextOf(cur); !text.isEmpty()) {
        cur = {QStringLiteral("Type"), text, CommandIcon(int(Command::Type))};
        return true;
    }
    return false;
}

}  // namespace

int PauseSeconds(qint64 ms) {
    if (ms < 1000) return 0;
    return int(qMin<qint64>(ms / 1000 + (ms % 1000 > 600 ? 1 : 0), 99 * 3600 + 59 * 60 + 59));
}

QString TimeText(int seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QChar(u'0'))
        .arg(seconds / 60 % 60, 2, 10, QChar(u'0'))
        .arg(seconds % 60, 2, 10, QChar(u'0'));
}

int TimeSeconds(const QString& text) {
    if (!mdlfnct::TimeValide(text)) return -1;
    return mdlfnct::StrToIntOrZero(text.mid(0, 2)) * 3600 + mdlfnct::StrToIntOrZero(text.mid(3, 2)) * 60 +
           mdlfnct::StrToIntOrZero(text.mid(6, 2));
}

void Optimise(QVector<MacroCommand>& rows) {
    for (int i = int(rows.size()) - 1; i >= 1; --i) {
        mergeAt(rows, i);
        i = qMin(i, int(rows.size()));  // a merge took rows at or before i
    }
}

void AdjustForCopy(QVector<MacroCommand>& rows, int extraSeconds, bool destinationOnly) {
    for (int i = 0; i < rows.size();) {
        MacroCommand& row = rows[i];
        if (extraSeconds != 0 && isRow(row, QLatin1StringView("Pause"))) {
            const int seconds = TimeSeconds(field(row, 1));
            if (seconds >= 0 && seconds + extraSeconds < 1) {
                rows.remove(i);
                continue;
            }
            if (seconds >= 0) row.params = fields({TimeText(seconds + extraSeconds)});
        } else if (destinationOnly && isRow(row, QLatin1StringView("Parcours souris"))) {
            if (i + 1 < rows.size() && isRow(rows[i + 1], QLatin1StringView("Parcours souris"))) {
                rows.remove(i);
                continue;
            }
            const QStringList points = row.params.split(ParamSeparator(), Qt::SkipEmptyParts);
            if (points.size() >= 2)
                row = {QStringLiteral("Move Mouse"),
                       fields({points[points.size() - 2], points.last(), QStringLiteral("Indirect")}),
                       CommandIcon(int(Command::MoveMouse))};
        }
        ++i;
    }
}

// ---- Recording -------------------------------------------------------------

namespace {
constexpr int kPathPointsPerRow = 30;

bool isOwnWindow(HWND w) {
    return w && desktop().GetWindowThreadProcessId(w) == QCoreApplication::applicationPid();
}

int keyId(const DesktopEvent& e) { return e.scanCode | (e.extended ? 0x100 : 0); }

QString buttonAction(const DesktopEvent& e) {
    const char* names[] = {"", "Left", "Right", "Middle"};
    return QLatin1String(names[e.button]) + QLatin1String(e.kind == DesktopEvent::ButtonDown ? " Down" : " Up");
}
}  // namespace

TSequenceRecorder::TSequenceRecorder() {
    Clock = [] {
        static QElapsedTimer clock;
        if (!clock.isValid()) clock.start();
        return clock.elapsed();
    };
}

bool TSequenceRecorder::Open(const QString& fileName, bool append, bool trackWindows, QString* error) {
    Close();
    file_.setFileName(fileName);
    if (!file_.open(append ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error) *error = file_.errorString();
        return false;
    }
    trackWindows_ = trackWindows;
    lastEventAt_ = Clock();
    lastTracked_ = 0;
    typedKeys_.clear();
    if (trackWindows_) write(QStringLiteral("Variable"), fields({QStringLiteral("[HANDLE.FOREGROUNDWINDOW]"),
                                                                QStringLiteral("0"), QStringLiteral("Numerique")}));
    return true;
}

void TSequenceRecorder::Close() {
    if (!file_.isOpen()) return;
    flushPath();
    file_.close();
}

void TSequenceRecorder::write(const QString& keyword, const QString& params) {
    if (!file_.isOpen()) return;
    file_.write(TMacroFileRecord{keyword, params}.toBytes());
    file_.flush();
}

void TSequenceRecorder::writePause() {
    const qint64 now = Clock();
    const int seconds = PauseSeconds(now - lastEventAt_);
    lastEventAt_ = now;
    if (seconds == 0) return;
    flushPath();  // the pause comes after the moves that led to it
    write(QStringLiteral("Pause"), fields({TimeText(seconds)}));
}

// The path's first point is left out; the cursor is then where the last
// point written leaves it (a path of one point writes nothing and moves it
// nowhere).
void TSequenceRecorder::flushPath() {
    for (qsizetype from = 1; from < path_.size(); from += kPathPointsPerRow) {
        QString params;
        for (qsizetype i = from; i < qMin(path_.size(), from + kPathPointsPerRow); ++i)
            params += fields({QString::number(path_[i].x), QString::number(path_[i].y)});
        write(QStringLiteral("Parcours souris"), params);
        last_ = path_.last();
    }
    path_.clear();
}

void TSequenceRecorder::OnEvent(const DesktopEvent& e) {
    if (!file_.isOpen()) return;
    if (e.kind == DesktopEvent::KeyDown || e.kind == DesktopEvent::KeyUp) return onKey(e);
    onMouse(e);
}

void TSequenceRecorder::onMouse(const DesktopEvent& e) {
    writePause();
    checkForeground();
    if (isOwnWindow(desktop().WindowFromPoint(e.pos))) return;  // the recorder's own buttons
    if (e.kind == DesktopEvent::MouseMove) {
        if (e.pos == (path_.isEmpty() ? last_ : path_.last())) return;
        path_ << e.pos;
        return;
    }
    flushPath();
    if (e.kind == DesktopEvent::Wheel) {
        write(QStringLiteral("Click"), fields({e.wheel >= 0 ? QStringLiteral("Whell Up") : QStringLiteral("Whell Down"),
                                               QStringLiteral("1")}));
        return;
    }
    if (!(e.pos == last_))
        write(QStringLiteral("Move Mouse"),
              fields({QString::number(e.pos.x), QString::number(e.pos.y), QStringLiteral("Indirect")}));
    last_ = e.pos;
    if (e.button == DesktopEvent::NoButton) return;
    checkForeground();
    write(QStringLiteral("Click"), fields({buttonAction(e)}));
    checkForeground();
}

void TSequenceRecorder::onKey(const DesktopEvent& e) {
    writePause();
    flushPath();
    const int id = keyId(e);
    const QString name = desktop().GetKeyNameText(e.scanCode, e.extended);
    if (e.kind == DesktopEvent::KeyUp) {
        if (typedKeys_.remove(id)) return;
        if (!name.isEmpty()) write(QStringLiteral("Type Special"), fields({name, QStringLiteral("[KeyUp]")}));
        return;
    }
    if (e.text.size() == 1 || (e.text.size() == 2 && e.text[0].isHighSurrogate())) {
        typedKeys_.insert(id);
        write(QStringLiteral("Type"), e.text);
    } else if (!name.isEmpty()) {
        write(QStringLiteral("Type Special"), e.repeat ? fields({name}) : fields({name, QStringLiteral("[KeyDown]")}));
    }
}

// A window of another program came to the front: where it stands and how.
void TSequenceRecorder::checkForeground() {
    if (!trackWindows_) return;
    Platform& desk = desktop();
    const HWND w = desk.GetForegroundWindow();
    if (!w || w == lastTracked_ || !desk.IsWindow(w) || isOwnWindow(w)) return;
    lastTracked_ = w;
    QRect r;
    desk.GetWindowRect(w, r);
    const QString handle = QString::number(w);
    const QString pause = fields({QStringLiteral("00:00:01")});
    const bool fillsScreen = r.x() + r.width() == desk.GetSystemMetrics(SM_CXSCREEN) &&
                             r.y() + r.height() == desk.GetSystemMetrics(SM_CYSCREEN);
    switch (desk.GetWindowShowCmd(w)) {
    case SW_SHOWNORMAL: {
        if (r.isNull() || r == QRect()) return;
        QVector<HWND> chain;
        for (HWND p = desk.GetParent(w); p; p = desk.GetParent(p)) chain << p;
        chain << w;
        for (HWND o : std::as_const(chain)) {
            TCmObjet object;
            object.Handle = qint64(o);
            object.ParentHandle = qint64(desk.GetParent(o));
            object.Application = mdlfnct::GetWindowExeName(o);
            object.ClassName = desk.GetClassName(o);
            object.Text = desk.GetWindowText(o);
            object.SetCriteriaFlags(kUseParent | kUseApplication | kUseClass | kUseText);
            write(QStringLiteral("Objet"), ObjectParams(object));
        }
        write(QStringLiteral("Manipulation"),
              fields({handle, QStringLiteral("Déplacer"), QString::number(r.x()), QString::number(r.y())}));
        write(QStringLiteral("Manipulation"),
              fields({handle, QStringLiteral("Taille"), QString::number(r.width()), QString::number(r.height())}));
        write(QStringLiteral("Pause"), pause);
        if (OnTrackedWindow)
            OnTrackedWindow(QStringLiteral("Resize \"%1 - %2\"").arg(desk.GetClassName(w), desk.GetWindowText(w)));
        return;
    }
    case SW_SHOWMINIMIZED:
    case SW_SHOWMAXIMIZED:
        if (!fillsScreen) return;
        write(QStringLiteral("Manipulation"),
              fields({handle, desk.IsIconic(w) ? QStringLiteral("Réduire") : QStringLiteral("Agrandir")}));
        write(QStringLiteral("Pause"), pause);
        return;
    default: return;
    }
}

// ---- Event procedures ------------------------------------------------------

TEventWatch& TEventWatch::Instance() {
    static TEventWatch watch;
    return watch;
}

bool TEventWatch::Update() {
    if (!Procedures && !(Recording && Recording->IsOpen())) {
        desktop().WatchDesktopEvents(nullptr);
        return true;
    }
    return desktop().WatchDesktopEvents([this](const DesktopEvent& e) {
        if (Procedures) return OnEventForProcedures(e);
        if (Recording && Recording->IsOpen()) Recording->OnEvent(e);
    });
}

void OnEventForProcedures(const DesktopEvent& e) {
    if (!Runner) return;
    TVariables& vars = Runner->Vars();
    switch (e.kind) {
    case DesktopEvent::ButtonDown:
    case DesktopEvent::ButtonUp: {
        const char* names[] = {"", "Left", "Right", "Middle"};
        if (e.button == DesktopEvent::NoButton) return;
        vars.Write(QStringLiteral("[EVENT.BUTTON]"), QLatin1StringView(names[e.button]));
        RunEventProcedure(e.kind == DesktopEvent::ButtonDown ? QStringLiteral("[EVENT.MOUSEDOWN]")
                                                             : QStringLiteral("[EVENT.MOUSEUP]"));
        return;
    }
    case DesktopEvent::KeyUp: {
        const QString name = desktop().GetKeyNameText(e.scanCode, e.extended);
        vars.Write(QStringLiteral("[EVENT.KEY]"), desktop().IsKeyToggled(VK_CAPITAL) ? name.toUpper() : name.toLower());
        RunEventProcedure(QStringLiteral("[EVENT.KEYPRESS]"));
        return;
    }
    default: return;
    }
}

void RunEventProcedure(const QString& name) {
    if (!Runner || !Runner->State().MacroRunning) return;
    TRunContext& ctx = Runner->Context();
    TMacroDocument& list = ctx.Main;
    const int start = list.ProcedureRow(ctx.Vars.ValueOf(name));
    const int end = list.EndOfProcedure(start);
    if (start < 0 || end < 0) return;
    TActiveOrder active(list.count(), true);
    for (int row = start + 1; row < end && ctx.Running();) Runner->Execute_commande(&list, row, active);
}

}  // namespace recorder

// "[EVENT.ACTIVATE]": "1" runs the event procedures from then on.
void SwitchEventMonitoring(bool on) {
    recorder::TEventWatch& watch = recorder::TEventWatch::Instance();
    if (on == watch.Procedures) return;
    watch.Procedures = on;
    if (!watch.Update()) {
        MessageDlg(QStringLiteral("Capture des événements souris impossible."), MsgType::Warning, mbOK);
        MessageDlg(QStringLiteral("Capture des événements clavier impossible."), MsgType::Warning, mbOK);
    }
}
