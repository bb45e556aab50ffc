#pragma once

#include "base/Colorref.h"
#include "base/FontDesc.h"
#include "base/IntRect.h"

#include <QPoint>
#include <QString>

class ProjectData;
class XControl;
class XPage;
struct LayoutSettings;

// The position kind of InsertTreeItem for a project's own item; any other kind is the
// element's type number. The project's tree icon goes by the same number.
namespace TreePosition {
inline constexpr int kProject = 100;
}

// Everything a design view needs outside its page, in slot order; the main frame
// implements it.
class MarvolentaViewMainDelegate {
public:
    virtual ~MarvolentaViewMainDelegate() = default;

    virtual int GetFrameExtraWidth() const = 0;
    virtual int GetFrameExtraHeight() const = 0;
    virtual IntRect PageRectToView(const IntRect& r) const = 0;
    virtual QPoint ViewPointToPage(int x, int y) const = 0;
    virtual QPoint PagePointToView(int x, int y) const = 0;
    virtual int GetToolMode() const = 0;
    virtual void SetToolMode(int mode) = 0;
    virtual void SelectControl(XControl* control) = 0;
    virtual void InsertTreeItem(ProjectData* project, XControl* element, const QString& label,
                                int positionKind, int expand) = 0;
    virtual void MoveTreeItemDown(XControl* control) = 0;
    virtual void MoveTreeItemUp(XControl* control) = 0;
    virtual void ClearCurrentControl() = 0;
    virtual void RefreshProperties() = 0;
    virtual XControl* CreateControl(int typeNumber) = 0;
    virtual XControl* GetCurrentControl() const = 0;
    virtual int NextSendCode() = 0;
    virtual COLORREF GetBrushColour() const = 0;
    virtual void CopyToClipboard(XPage* page) = 0;
    virtual int GetClipboardCount() const = 0;
    virtual void PasteFromClipboard(XPage* page) = 0;
    virtual FontDesc GetBrushFont() const = 0;
    virtual QString GetBrushText() const = 0;
    virtual QString NextBrushAddress() = 0;
    virtual QString NextBrushStreamUrl() = 0;
    virtual XPage* GetInterlockPage() const = 0;
    virtual QString GetInterlockName() const = 0;
    virtual XControl* CloneControl(XControl* control, bool withIdentity) = 0;
    virtual void ZoomStep(int delta) = 0;
    virtual XControl* GetFormatSource() const = 0;

    // Beyond the slots above; a delegate that does without them keeps these defaults.
    // The grid and snapping of the page's project; null: neither.
    virtual const LayoutSettings* GetLayoutSettings(const XPage* page) const { return nullptr; }
    // The page was repainted after a change that may have touched its selection.
    virtual void SelectionChanged(XPage* page) {}
    // Controls of the page were locked or unlocked.
    virtual void LocksChanged(XPage* page) {}
};
