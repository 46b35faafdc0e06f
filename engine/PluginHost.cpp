#include "engine/PluginHost.h"

#include "core/Dialogs.h"
#include "engine/Runner.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/WindowMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

using pluginwire::Kind;
using pluginwire::Message;

TPluginDeadlines& PluginDeadlines() {
    static TPluginDeadlines deadlines;
    return deadlines;
}

namespace {

constexpr int kHostSocket = 3;
// A plug-in whose run was stopped has this long to return from its row.
constexpr int kStopGraceMs = 250;

Message returns(std::vector<int64_t> numbers) { return {Kind::Return, {}, {}, std::move(numbers)}; }

// What the plug-in sends, as the windows of this program get it: texts are
// copied here and passed as pointers to the copies, which a posted message
// keeps until it is handled.
Message serveMessage(const Message& c, bool post) {
    const auto texts = std::make_shared<const std::array<QByteArray, 2>>(
        std::array{QByteArray::fromStdString(c.text(0)), QByteArray::fromStdString(c.text(1))});
    const auto window = platform::HWND(c.number(0));
    const auto message = unsigned(c.number(1));
    const auto wParam = c.number(4) ? platform::WPARAM((*texts)[0].constData()) : platform::WPARAM(c.number(2));
    const auto lParam = c.number(5) ? platform::LPARAM((*texts)[1].constData()) : platform::LPARAM(c.number(3));
    if (!post) return returns({platform::SendMessage(window, message, wParam, lParam)});
    return returns({platform::PostMessage(window, message, wParam, lParam, texts) ? 1 : 0});
}

Message serve(const Message& c) {
    if (c.name == "SendMessage") return serveMessage(c, false);
    if (c.name == "PostMessage") return serveMessage(c, true);
    if (c.name == "GlobalAddAtom")
        return returns({platform::desktop().GlobalAddAtom(QString::fromStdString(c.text(0)))});
    return {Kind::Failure, "unknown call " + c.name, {}, {}};
}

QString describeEnd(int status) {
    if (WIFSIGNALED(status)) return QStringLiteral("signal %1").arg(WTERMSIG(status));
    return QStringLiteral("code de sortie %1").arg(WEXITSTATUS(status));
}

}  // namespace

QString PluginHostProgram() {
    const QString named = qEnvironmentVariable("ORVANEL_PLUGIN_HOST");
    if (!named.isEmpty()) return named;
    for (const QString& folder : {platform::programFolder(), QCoreApplication::applicationDirPath()}) {
        const QString path = QDir(folder).filePath(QLatin1String(kPluginHostName));
        if (QFileInfo(path).isExecutable()) return path;
    }
    return QString();
}

TPluginHost::TPluginHost(const QString& library) : library_(library), name_(QFileInfo(library).fileName()) {}

TPluginHost::~TPluginHost() { end(); }

bool TPluginHost::start() {
    const QByteArray program = QFile::encodeName(PluginHostProgram());
    const QByteArray library = QFile::encodeName(library_);
    int pair[2];
    if (program.isEmpty() || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return false;
    char* const argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(library.constData()), nullptr};
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only calls safe after a fork until exec.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (pair[1] == kHostSocket)
            ::fcntl(kHostSocket, F_SETFD, 0);
        else
            ::dup2(pair[1], kHostSocket);
        ::execv(argv[0], argv);
        ::_exit(127);
    }
    ::close(pair[1]);
    if (pid < 0) {
        ::close(pair[0]);
        return false;
    }
    pid_ = pid;
    socket_ = pair[0];
    // A stop the plug-in asks for itself leaves its row the time it takes.
    channel_ = std::make_shared<pluginwire::Channel>(socket_, [this](const Message& c) {
        const bool running = Runner->State().MacroRunning;
        Message reply = serve(c);
        if (running && !Runner->State().MacroRunning) stoppedByPlugin_ = true;
        return reply;
    });
    between_ = std::make_unique<QSocketNotifier>(socket_, QSocketNotifier::Read);
    QObject::connect(between_.get(), &QSocketNotifier::activated, [this] { serveBetweenCalls(); });
    return true;
}

void TPluginHost::serveBetweenCalls() {
    // Served until a moment without messages; a message may unload the plug-in meanwhile.
    const std::shared_ptr<TPluginHost> self = shared_from_this();
    const std::shared_ptr<pluginwire::Channel> channel = channel_;
    const pluginwire::Channel::Outcome outcome = channel->serve([] { return false; });
    if (outcome == pluginwire::Channel::Outcome::GaveUp || channel != channel_) return;
    const QString how = end();
    MessageDlg(ended(outcome, QStringLiteral("hors d'un appel"), how), MsgType::Error, mbOK);
}

QString TPluginHost::ended(pluginwire::Channel::Outcome outcome, const QString& what, const QString& how) const {
    if (outcome == pluginwire::Channel::Outcome::Damaged)
        return QStringLiteral("Le plug-in « %1 » a envoyé un message illisible (%2) : il a été arrêté, il sera relancé "
                              "à son prochain appel.")
            .arg(name_, what);
    return QStringLiteral("Le plug-in « %1 » s'est arrêté brutalement (%2%3) : il sera relancé à son prochain appel.")
        .arg(name_, what, how.isEmpty() ? QString() : QStringLiteral(", ") + how);
}

QString TPluginHost::end() {
    if (!pid_) return QString();
    between_.reset();
    channel_->forget();
    channel_.reset();
    ::close(socket_);
    socket_ = -1;
    // A host that crashed is already ending: its status stays the crash's.
    ::kill(pid_, SIGKILL);
    int status = 0;
    const bool reaped = ::waitpid(pid_, &status, 0) == pid_;
    pid_ = 0;
    return reaped ? describeEnd(status) : QString();
}

QString TPluginHost::load(QStringList& exports) {
    if (!start())
        return QStringLiteral("Le programme des plug-ins (%1) ne démarre pas : le plug-in %2 n'est pas chargé.")
            .arg(QLatin1String(kPluginHostName), library_);
    const Reply r = call("Load", {QFile::encodeName(library_).toStdString()});
    if (!r.ok) return r.fault;
    const Message& m = r.message;
    switch (m.number(0)) {
    case 0:
        for (const std::string& name : m.texts) exports << QString::fromStdString(name);
        return QString();
    case 1:
        return QStringLiteral("Le dll séléctionné n'est pas une nouvelle commande valide. (%1)\n%2")
            .arg(library_, QString::fromLocal8Bit(m.text(0)));
    default:
        return QStringLiteral("Le plug-in %1 a été construit pour une autre version des plug-ins (%2, Orvanel attend "
                              "la version %3) : il n'est pas chargé.")
            .arg(library_,
                 m.number(1) ? QStringLiteral("version %1").arg(m.number(1)) : QStringLiteral("sans version"))
            .arg(m.number(2));
    }
}

void TPluginHost::setHandles(quint64 window, quint32 module) {
    window_ = window;
    module_ = module;
}

bool TPluginHost::restart(QString& fault) {
    QStringList exports;
    fault = load(exports);
    if (fault.isEmpty() && window_) {
        for (const auto& [function, handle] : {std::pair{"ReceiveHandleApp", qint64(window_)},
                                               std::pair{"ReceiveHandleLibrary", qint64(module_)}}) {
            const Reply r = call(function, {}, {handle});
            if (!r.ok) {  // the host is gone: calling on would start it again, and again
                fault = r.fault;
                break;
            }
        }
    }
    if (fault.isEmpty()) return true;
    end();
    fault = QStringLiteral("Le plug-in « %1 » ne redémarre pas : %2").arg(name_, fault);
    return false;
}

pluginwire::Channel::Result TPluginHost::exchange(pluginwire::Channel& channel, const Message& call, Wait wait,
                                                  bool& stopped) {
    const TPluginDeadlines& d = PluginDeadlines();
    qint64 deadline = wait == Wait::Run ? d.runMs : wait == Wait::Person ? d.personMs : d.answerMs;
    // A row waits as the run waits, with the Stop button, the hotkeys and Esc heard;
    // otherwise the person's input waits for the plug-in as for a window of ours.
    const auto events = wait == Wait::Run ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
    const bool running = wait == Wait::Run && Runner->State().MacroRunning;
    if (running) stoppedByPlugin_ = false;  // a row's call; the calls nested in it keep what it saw
    QElapsedTimer waited;
    waited.start();
    return channel.call(call, [&] {
        QCoreApplication::processEvents(events);
        if (running && !stopped && !stoppedByPlugin_ && !Runner->State().MacroRunning) {
            stopped = true;
            deadline = std::min(deadline, waited.elapsed() + kStopGraceMs);
        }
        return waited.elapsed() < deadline && !QCoreApplication::closingDown();
    });
}

TPluginHost::Reply TPluginHost::call(const char* function, std::vector<std::string> texts,
                                     std::vector<int64_t> numbers, Wait wait) {
    Reply reply;
    const QString what = QLatin1String(function);
    if (!channel_ && std::string_view(function) != "Load" && !restart(reply.fault)) return reply;
    const std::shared_ptr<pluginwire::Channel> channel = channel_;
    if (!channel->otherEndListens()) {
        // Asked from an event while the plug-in runs a call: it cannot hear.
        reply.fault = QStringLiteral("Le plug-in « %1 » est occupé : %2 n'est pas appelé.").arg(name_, what);
        return reply;
    }
    bool stopped = false;
    QSocketNotifier* between = between_.get();
    const bool betweenOn = between->isEnabled();
    between->setEnabled(false);
    const pluginwire::Channel::Result r =
        exchange(*channel, {Kind::Call, function, std::move(texts), std::move(numbers)}, wait, stopped);
    // A call nested in this one may have ended the host, and another started a new one.
    const bool same = channel == channel_;
    if (same) between->setEnabled(betweenOn);
    using Outcome = pluginwire::Channel::Outcome;
    if (r.outcome == Outcome::Answered && r.message.kind == Kind::Return) {
        reply.ok = true;
        reply.message = r.message;
    } else if (r.outcome == Outcome::Answered) {
        reply.fault = !r.message.name.empty()
                          ? QString::fromStdString(r.message.name)
                          : QStringLiteral("Le plug-in « %1 » a échoué sur une erreur inconnue.").arg(name_);
    } else if (r.outcome == Outcome::GaveUp) {
        if (same) end();
        if (!stopped)
            reply.fault = QStringLiteral("Le plug-in « %1 » ne répond plus (%2) : il a été arrêté, il sera relancé "
                                         "à son prochain appel.")
                              .arg(name_, what);
    } else {
        const QString how = same ? end() : QString();
        reply.fault = ended(r.outcome, what, how);
    }
    return reply;
}
