#include "CommandLine.h"

#include "Versions.h"

#include <cstdio>

namespace CommandLine {
namespace {

void Write(std::FILE* stream, QString text)
{
    if (!text.endsWith(u'\n'))
        text += u'\n';
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

bool IsHelpOption(const QString& arg)
{
    return arg == QLatin1String("-h") || arg == QLatin1String("--help");
}

bool IsVersionOption(const QString& arg)
{
    return arg == QLatin1String("-v") || arg == QLatin1String("--version");
}

QStringList RawArguments(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

QString VersionText(const QString& program)
{
    return QStringLiteral("%1 (%2) %3\nLicensed under the Apache License, Version 2.0.\n")
        .arg(program, QString::fromUtf8(Versions::kProductWord), QString::fromUtf8(Versions::kBuildVersion));
}

void Print(const QString& text)
{
    Write(stdout, text);
}

int UsageError(const QString& program, const QString& reason, const QString& usage)
{
    QString text;
    if (!reason.isEmpty())
        text = program + QStringLiteral(": ") + reason + u'\n';
    if (!usage.isEmpty())
        text += usage + u'\n';
    text += QStringLiteral("Try '%1 --help' for more information.").arg(program.section(u' ', 0, 0));
    Write(stderr, text);
    return kUsageError;
}

} // namespace CommandLine
