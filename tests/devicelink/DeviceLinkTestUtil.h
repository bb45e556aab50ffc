#pragma once

// Helpers shared by the device link tests: waiting on the event loop, fixture bytes,
// outside zip checkers, and a private application folder for the settings file.

#include "base/AppPaths.h"
#include "base/IniFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

namespace DeviceLinkTest {

// Runs the event loop until cond holds or the time is up; returns cond's last value.
inline bool WaitFor(const std::function<bool()>& cond, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!cond()) {
        if (deadline.hasExpired())
            return cond();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::usleep(200);
    }
    return true;
}

// Bytes that compress a little, different for every seed.
inline QByteArray PatternBytes(qint64 size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    quint32 x = seed * 2654435761u + 1;
    for (qint64 i = 0; i < size; ++i) {
        x = x * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>((x >> 24) & ((i / 4096) % 3 == 0 ? 0x0F : 0xFF));
    }
    return bytes;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct CheckRun {
    int status = -1;
    QString output;
};

inline CheckRun RunProgram(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return {-1, QStringLiteral("%1 did not finish").arg(program)};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

// `unzip -t` and Python's zipfile both accept the archive.
inline CheckRun UnzipTest(const QString& zip)
{
    return RunProgram(QStringLiteral("unzip"), {QStringLiteral("-t"), QStringLiteral("-qq"), zip});
}

inline CheckRun PythonZipTest(const QString& zip)
{
    return RunProgram(QStringLiteral("python3"), {QStringLiteral("-m"), QStringLiteral("zipfile"), QStringLiteral("-t"), zip});
}

// Points the application folder at a private copy for the lifetime of the object, so that
// settings written by a test never touch the build's DATA. The translations are copied.
class ScopedAppFolder {
public:
    ScopedAppFolder() : previous(AppPaths::GetAppFolder())
    {
        const QString data = dir.path() + QStringLiteral("/DATA");
        QDir().mkpath(data + QStringLiteral("/INI"));
        QDir().mkpath(data + QStringLiteral("/TRANSLATION"));
        for (const char* name : {"ZH_CN", "ZH_TW", "EN"})
            QFile::copy(AppPaths::GetTranslationPath(QLatin1String(name)),
                        data + QStringLiteral("/TRANSLATION/") + QLatin1String(name));
        AppPaths::SetAppFolder(dir.path());
        Profile::ForgetCache();
    }
    ~ScopedAppFolder()
    {
        AppPaths::SetAppFolder(previous);
        Profile::ForgetCache();
    }
    QString Path() const { return dir.path(); }

private:
    QTemporaryDir dir;
    QString previous;
};

} // namespace DeviceLinkTest
