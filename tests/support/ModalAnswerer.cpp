#ifdef MVL_HAVE_UI
#include "ModalAnswerer.h"

#include "app/MessageBoxDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {
constexpr int kPollMs = 10;
}

ModalAnswerer::ModalAnswerer()
{
    // The timer also fires inside the nested event loop of a modal dialog.
    poll.setInterval(kPollMs);
    connect(&poll, &QTimer::timeout, this, [this] { Look(); });
    poll.start();
}

void ModalAnswerer::ExpectMessage(const QString& text, int result)
{
    Add(QStringLiteral("message \"%1\"").arg(text),
        [text](QWidget* w) { return qobject_cast<MessageBoxDlg*>(w) && TextOf(w) == text; },
        [this, result](QWidget* w) {
            if (!Press(w, result)) {
                unexpected << QStringLiteral("no button for answer %1").arg(result);
                CloseWindow(w);
            }
        });
}

void ModalAnswerer::Add(const QString& what, Match matches, Action act)
{
    expected.push_back({what, std::move(matches), std::move(act)});
}

bool ModalAnswerer::Wait(int timeoutMs)
{
    return QTest::qWaitFor([this] { return expected.empty(); }, timeoutMs);
}

void ModalAnswerer::Forget()
{
    expected.clear();
    seen.clear();
    unexpected.clear();
}

void ModalAnswerer::Look()
{
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible())
        return;
    for (const QPointer<QWidget>& m : met)
        if (m == w)
            return;
    met.removeAll(nullptr);
    met.append(w);
    const QString text = TextOf(w);
    seen << text;
    if (expected.empty() || !expected.front().matches(w)) {
        unexpected << (expected.empty() ? text : text + QStringLiteral(" (expected ") + expected.front().what + u')');
        CloseWindow(w);
        return;
    }
    Expectation e = std::move(expected.front());
    expected.pop_front();
    // Answered after this timer call returns: an answer that opens a further modal
    // widget runs its event loop there, and a timer never fires inside its own call.
    QTimer::singleShot(0, w, [act = std::move(e.act), window = QPointer<QWidget>(w)] {
        if (window)
            act(window);
    });
}

void ModalAnswerer::CloseWindow(QWidget* window)
{
    window->close();
}

bool ModalAnswerer::Press(QWidget* messageBox, int result)
{
    auto* box = qobject_cast<MessageBoxDlg*>(messageBox);
    if (!box)
        return false;
    for (QPushButton* b : box->Buttons()) {
        if (b->property("result").toInt() == result) {
            b->click();
            return true;
        }
    }
    return false;
}

QString ModalAnswerer::TextOf(QWidget* window)
{
    if (auto* label = window->findChild<QLabel*>(QStringLiteral("messageText")))
        return label->text();
    return window->windowTitle() + QStringLiteral(" [") + QString::fromLatin1(window->metaObject()->className())
         + u']';
}
#endif
