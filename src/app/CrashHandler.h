#pragma once

#include <QString>

// Installs handlers for the fatal signals (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT).
// On a fatal signal the handler writes a crash report (signal, fault address,
// backtrace) to dumpPath using only async-signal-safe calls, prints "Application error!"
// on stderr and ends the process with the signal's default action.
bool InstallCrashHandler(const QString& dumpPath);
