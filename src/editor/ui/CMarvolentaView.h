#pragma once

#include "model/PageWindow.h"

#include <QAbstractScrollArea>

class MarvolentaViewMainDelegate;
class XControl;
class XPage;

// The design surface of one page. Everything outside the page goes through the
// MarvolentaViewMainDelegate; the editing logic itself lives in editor/ without windows.
class CMarvolentaView : public QAbstractScrollArea, public PageWindow {
    Q_OBJECT
public:
    CMarvolentaView(XPage* page, MarvolentaViewMainDelegate* delegate, QWidget* parent = nullptr);
    ~CMarvolentaView() override;

    XPage* GetPage() const;
    XControl* GetFocusControl() const;
    void SetFocusControl(XControl* control);

    // Sizes the enclosing page window (a QMdiSubWindow, when there is one) to the zoomed
    // page plus the frame's extra size; with keepCursorPoint the page point under the
    // mouse stays under it (wheel zoom of the active view).
    void FitToPage(bool keepCursorPoint);
    // The main frame's key routing; true when the key was one of the view's.
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
    // Commands of the view: 32878 copy, 32879 paste, 32880 delete, 32895 activate,
    // 32897 deactivate, 32952 one step up, 32953 one step down.
    void OnCommand(int commandId);

    // PageWindow
    void InvalidatePage() override;
    void SetPageTitle(const QString& title) override;
    void FitPageWindow() override;

Q_SIGNALS:
    void pageTitleChanged(const QString& title);
};
