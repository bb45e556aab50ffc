#include "QtWarningGuard.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
QtWarningGuard* innermost = nullptr;
QtMessageHandler before = nullptr; // the handler the outermost guard replaced
}

QtWarningGuard::QtWarningGuard(QStringList texts) : outer(innermost), failOn(std::move(texts))
{
    innermost = this;
    // One handler for all guards; nested guards only add their texts.
    if (!outer)
        before = qInstallMessageHandler(&QtWarningGuard::Handle);
}

QtWarningGuard::~QtWarningGuard()
{
    innermost = outer;
    if (!outer)
        qInstallMessageHandler(before);
}

void QtWarningGuard::Handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    bool failed = false;
    for (QtWarningGuard* guard = innermost; guard && !failed; guard = guard->outer)
        for (const QString& text : guard->failOn)
            failed = failed || message.contains(text);
    if (failed)
        ADD_FAILURE() << "Qt said: " << message.toStdString();
    if (before)
        before(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}
