#pragma once

#include <QStringList>
#include <QtGlobal>

// Fails the running test on every Qt message that contains one of the given texts, for
// the guard's lifetime; other messages pass to the handler that was there before. The
// default catches an item view being handed an editor it does not know, which is what
// a property grid that commits or refills at the wrong moment prints.
class QtWarningGuard {
public:
    explicit QtWarningGuard(QStringList failOn = {QStringLiteral("does not belong to this view")});
    ~QtWarningGuard();
    QtWarningGuard(const QtWarningGuard&) = delete;
    QtWarningGuard& operator=(const QtWarningGuard&) = delete;

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message);

    QtWarningGuard* outer = nullptr;
    QStringList failOn;
};
