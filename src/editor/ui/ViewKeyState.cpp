#include "ViewKeyState.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>

ViewKeyState& ViewKeyState::Instance()
{
    // Owned by the application object, so it is gone with it (and made again for a later
    // application object).
    static QPointer<ViewKeyState> instance;
    if (!instance)
        instance = new ViewKeyState(QCoreApplication::instance());
    return *instance;
}

ViewKeyState::ViewKeyState(QObject* parent) : QObject(parent)
{
    if (parent)
        parent->installEventFilter(this);
}

bool ViewKeyState::IsDown(int key) const
{
    switch (key) {
    case Qt::Key_V: return v;
    case Qt::Key_H: return h;
    case Qt::Key_D: return d;
    case Qt::Key_Space: return space;
    default: return false;
    }
}

void ViewKeyState::Reset()
{
    v = h = d = space = false;
}

bool ViewKeyState::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat())
            break;
        const bool down = event->type() == QEvent::KeyPress;
        switch (key->key()) {
        case Qt::Key_V: v = down; break;
        case Qt::Key_H: h = down; break;
        case Qt::Key_D: d = down; break;
        case Qt::Key_Space: space = down; break;
        default: break;
        }
        break;
    }
    case QEvent::ApplicationDeactivate:
        // A key released in another application is never seen here.
        Reset();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
