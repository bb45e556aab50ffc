#pragma once

#include <QObject>

// Whether the keys that change design-view gestures are held down: V and H limit a drag
// to one direction, D makes a brush clear, Space makes a drag pan the view. Key events are watched application-wide,
// since the key may go down while another window has the focus.
class ViewKeyState : public QObject {
public:
    static ViewKeyState& Instance();

    bool IsDown(int key) const;
    void Reset();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ViewKeyState(QObject* parent);

    bool v = false;
    bool h = false;
    bool d = false;
    bool space = false;
};
