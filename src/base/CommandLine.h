#pragma once

#include <QString>
#include <QStringList>

// What the editor, mvltool and panelsim share on their command lines: -h/--help and
// -v/--version print to stdout and exit 0; a command line that cannot be used prints a
// reason and a pointer to --help on stderr and exits 2.
namespace CommandLine {

inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsageError = 2;

bool IsHelpOption(const QString& arg);
bool IsVersionOption(const QString& arg);

// The arguments as given, before a Qt application takes its own options out of them.
QStringList RawArguments(int argc, char** argv);

// "mvltool (Marvolenta) 3.8.2" and the licence, one line each.
QString VersionText(const QString& program);

// Writes text to stdout, adding the final line break when it lacks one.
void Print(const QString& text);
// On stderr: "program: reason" and the usage line, each when given, then "Try 'NAME
// --help' ..." with the first word of program; returns kUsageError.
int UsageError(const QString& program, const QString& reason, const QString& usage);

}
