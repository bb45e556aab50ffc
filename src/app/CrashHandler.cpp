#include "CrashHandler.h"

#include "base/Versions.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstring>
#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Everything the handler needs is prepared beforehand: it must not allocate.
char dumpPathBuffer[4096];
constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr size_t kAltStackSize = 64 * 1024;
alignas(16) char altStack[kAltStackSize];

void WriteAll(int fd, const char* text, size_t length)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, text, length);
        if (n <= 0)
            return;
        text += n;
        length -= static_cast<size_t>(n);
    }
}

void WriteText(int fd, const char* text)
{
    WriteAll(fd, text, std::strlen(text));
}

void WriteNumber(int fd, unsigned long long value, int base)
{
    char digits[32];
    int i = sizeof digits;
    do {
        const int d = static_cast<int>(value % base);
        digits[--i] = static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
        value /= base;
    } while (value != 0 && i > 0);
    WriteAll(fd, digits + i, sizeof digits - i);
}

const char* SignalName(int sig)
{
    switch (sig) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGABRT: return "SIGABRT";
    default: return "signal";
    }
}

void OnFatalSignal(int sig, siginfo_t* info, void*)
{
    const int fd = ::open(dumpPathBuffer, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        WriteText(fd, Versions::kProductWord);
        WriteText(fd, " ");
        WriteText(fd, Versions::kBuildVersion);
        WriteText(fd, " crash report\nsignal: ");
        WriteNumber(fd, static_cast<unsigned>(sig), 10);
        WriteText(fd, " (");
        WriteText(fd, SignalName(sig));
        WriteText(fd, ")\ncode: ");
        WriteNumber(fd, static_cast<unsigned>(info ? info->si_code : 0), 10);
        WriteText(fd, "\naddress: 0x");
        WriteNumber(fd, reinterpret_cast<unsigned long long>(info ? info->si_addr : nullptr), 16);
        WriteText(fd, "\npid: ");
        WriteNumber(fd, static_cast<unsigned long long>(::getpid()), 10);
        WriteText(fd, "\nbacktrace:\n");
        void* frames[64];
        const int count = ::backtrace(frames, 64);
        ::backtrace_symbols_fd(frames, count, fd);
        ::close(fd);
    }
    WriteText(STDERR_FILENO, "Application error!\n");
    // End the process the way the signal would have: default action, raised again.
    struct sigaction dfl;
    std::memset(&dfl, 0, sizeof dfl);
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    ::sigaction(sig, &dfl, nullptr);
    // The signal is blocked while its handler runs: let it through again.
    sigset_t pending;
    sigemptyset(&pending);
    sigaddset(&pending, sig);
    ::sigprocmask(SIG_UNBLOCK, &pending, nullptr);
    ::raise(sig);
    ::_exit(128 + sig);
}

} // namespace

bool InstallCrashHandler(const QString& dumpPath)
{
    const QByteArray path = QFile::encodeName(dumpPath);
    if (path.isEmpty() || path.size() >= static_cast<int>(sizeof dumpPathBuffer))
        return false;
    QDir().mkpath(QFileInfo(dumpPath).absolutePath());
    std::memcpy(dumpPathBuffer, path.constData(), static_cast<size_t>(path.size()) + 1);

    // backtrace() loads its unwinder on first use; do that now, not inside the handler.
    void* warmUp[2];
    ::backtrace(warmUp, 2);

    // A stack overflow leaves no stack for the handler: give it its own.
    stack_t ss;
    std::memset(&ss, 0, sizeof ss);
    ss.ss_sp = altStack;
    ss.ss_size = kAltStackSize;
    ::sigaltstack(&ss, nullptr);

    bool ok = true;
    for (int sig : kFatalSignals) {
        struct sigaction sa;
        std::memset(&sa, 0, sizeof sa);
        sa.sa_sigaction = &OnFatalSignal;
        sa.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
        sigemptyset(&sa.sa_mask);
        ok = ::sigaction(sig, &sa, nullptr) == 0 && ok;
    }
    return ok;
}
