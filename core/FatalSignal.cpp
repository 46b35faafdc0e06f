#include "core/FatalSignal.h"

#include "core/RunState.h"
#include "core/Unit1.h"
#include "platform/ProgramFolder.h"


#include <csignal>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <ucontext.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE};
constexpr int kFrames = 64;
constexpr size_t kPath = 4096;

// Everything the handler reads, ready before it runs.
void* frames[kFrames];
char logPath[kPath];
char programPath[kPath];
char macroPath[kPath];
uintptr_t programBase = 0;

void copyText(char (&to)[kPath], const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const size_t n = std::min(size_t(bytes.size()), kPath - 1);
    std::memcpy(to, bytes.constData(), n);
    to[n] = '\0';
}

// Async-signal-safe writing: no allocation, no locale, no stdio.
class Out {
public:
    explicit Out(int fd) : fd_(fd) {}
    Out& operator<<(const char* text) {
        [[maybe_unused]] const ssize_t w = ::write(fd_, text, std::strlen(text));
        return *this;
    }
    Out& hex(uintptr_t value) {
        char digits[2 * sizeof value + 1];
        for (int i = int(2 * sizeof value) - 1; i >= 0; --i, value >>= 4) digits[i] = "0123456789ABCDEF"[value & 15];
        digits[2 * sizeof value] = '\0';
        return *this << digits;
    }
    Out& dec(long value) {
        char digits[24];
        int i = sizeof digits - 1;
        digits[i] = '\0';
        const bool negative = value < 0;
        unsigned long v = negative ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
        do digits[--i] = char('0' + v % 10);
        while ((v /= 10) != 0);
        if (negative) digits[--i] = '-';
        return *this << digits + i;
    }

private:
    int fd_;
};

uintptr_t interruptedAt(void* context) {
    const auto* uc = static_cast<const ucontext_t*>(context);
#if defined(__x86_64__)
    return uintptr_t(uc->uc_mcontext.gregs[REG_RIP]);
#elif defined(__aarch64__)
    return uintptr_t(uc->uc_mcontext.pc);
#else
    (void)uc;
    return 0;
#endif
}

void writeLog(int signal, const siginfo_t* info, void* context) {
    const int fd = ::open(logPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return;
    Out out(fd);
    out << "Signal : ";
    out.dec(signal) << "\nCode : ";
    out.dec(info->si_code) << "\nAdresse : ";
    out.hex(uintptr_t(info->si_addr)) << "\nInstruction : ";
    out.hex(interruptedAt(context)) << "\nBase : ";
    out.hex(programBase) << "\nHeure : ";
    out.dec(long(::time(nullptr))) << "\nRun : " << (RunState().MacroRunning ? "True " : "False ");
    out.dec(RunState().CurrentOrderIndex + 1) << " ";
    out.dec(RunState().SubMacroLevel) << " ";
    out.dec(RunState().SubMacroRow + 1) << "\nEdited : " << (RowEditing().modifying ? "True" : "False") << "\nMacro : " << macroPath << "\n";
    const int n = backtrace(frames, kFrames);
    out << "Pile : ";
    for (int i = 0; i < n; ++i) out.hex(uintptr_t(frames[i])) << (i + 1 < n ? " " : "\n");
    ::close(fd);
}

// The viewer is a process of its own, free of this one's descriptors. Its
// standard output and error may be pipes whose reader ends with this
// process: a write there fails instead of ending it.
void startViewer() {
    const pid_t child = ::_Fork();  // no fork handlers: safe in a signal handler
    if (child != 0) return;
    ::setsid();
    for (int fd = 3; fd < 1024; ++fd) ::close(fd);
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, nullptr);
    char crash[] = "/crash";
    char* argv[] = {programPath, crash, logPath, nullptr};
    ::execve(programPath, argv, environ);
    ::_exit(127);
}

void onFatalSignal(int signal, siginfo_t* info, void* context) {
    static volatile sig_atomic_t inside = 0;
    if (!inside) {
        inside = 1;
        Out(STDERR_FILENO) << "Orvanel : erreur fatale (signal ";
        Out(STDERR_FILENO).dec(signal) << "), rapport dans " << logPath << "\n";
        writeLog(signal, info, context);
        startViewer();
    }
    // The handler was reset: the signal, raised again, ends the program as it would have.
    ::raise(signal);
}

}  // namespace

QString CrashLogPath() { return platform::programFile(QStringLiteral("crash.log")); }

void InstallFatalSignalHandler(const QString& viewer) {
    copyText(logPath, CrashLogPath());
    copyText(programPath, viewer);
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&InstallFatalSignalHandler), &self)) programBase = uintptr_t(self.dli_fbase);
    backtrace(frames, 1);  // loads the unwinder now, not in the handler
    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int s : kSignals) sigaction(s, &action, nullptr);
}

void SetCrashMacroPath(const QString& path) { copyText(macroPath, path); }
