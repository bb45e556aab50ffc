#pragma once

#include "CMarvolentaDoc.h"

#include <QMdiSubWindow>

class CMarvolentaView;
class ChildFrameMainDelegate;
class QMenu;
class XPage;

// The MDI window of one page: holds the page's document and its design view. Closing it
// never deletes the page.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(ChildFrameMainDelegate* delegate, XPage* page, QWidget* parent = nullptr);

    void SetView(CMarvolentaView* view);
    CMarvolentaView* View() const { return view; }
    XPage* GetPage() const { return document.GetPage(); }
    CMarvolentaDoc& Document() { return document; }

    // Called by the main frame when this window becomes the active page window.
    void OnActivated();
    // Gives the caption menu's two items their texts in the current language.
    void RelabelCaptionMenu();
    QMenu* CaptionMenu() const { return captionMenu; }

Q_SIGNALS:
    void closing(CChildFrame* frame);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ChildFrameMainDelegate* delegate;
    CMarvolentaDoc document;
    CMarvolentaView* view = nullptr;
    QMenu* captionMenu;
};
