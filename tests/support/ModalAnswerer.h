#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class QWidget;

// Answers the real modal dialogs a test provokes, as a user at the desk would: it waits
// for each new active modal widget, checks that it is the one the test expects next (a
// message box by its text, another dialog by its class), and answers it (a button of the
// message box, the window's close button, or the test's own action). A modal widget that
// nobody expected is recorded and closed, so a test never hangs on it.
class ModalAnswerer : public QObject {
public:
    using Match = std::function<bool(QWidget*)>;
    using Action = std::function<void(QWidget*)>;

    ModalAnswerer();

    // The next modal widget is the editor's message box showing text; the button that
    // gives result (kIdOk, kIdCancel, kIdYes, kIdNo) is pressed.
    void ExpectMessage(const QString& text, int result);
    // The next modal widget is a T; act answers it (and must close it, unless it opens
    // a further modal widget that a later expectation answers).
    template <class T> void Expect(const QString& what, std::function<void(T*)> act)
    {
        Add(what, [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
            [act](QWidget* w) { act(qobject_cast<T*>(w)); });
    }
    void Add(const QString& what, Match matches, Action act);

    // Runs the event loop until every expectation is answered; false on time-out.
    bool Wait(int timeoutMs = 5000);
    bool AllAnswered() const { return expected.empty(); }
    // What each modal widget met showed (a message's text, else its title), in order,
    // and the ones no expectation matched.
    const QStringList& Seen() const { return seen; }
    const QStringList& Unexpected() const { return unexpected; }
    void Forget();

    // Answers that tests pass to Expect.
    static void CloseWindow(QWidget* window);          // the title bar's close button
    static bool Press(QWidget* messageBox, int result); // a button of the message box
    static QString TextOf(QWidget* window);

private:
    struct Expectation {
        QString what;
        Match matches;
        Action act;
    };
    void Look();

    QTimer poll;
    std::deque<Expectation> expected;
    QList<QPointer<QWidget>> met;
    QStringList seen;
    QStringList unexpected;
};
