#pragma once

#include "BandSelection.h"
#include "SnappedDrag.h"
#include "ToolMode.h"

#include <QKeySequence>
#include <QPoint>
#include <QString>
#include <QVector>

#include <functional>

class MarvolentaViewMainDelegate;
class XControl;
class XPage;

// The state of the keys and buttons a design-view gesture looks at.
struct ViewKeys {
    bool ctrl = false;
    bool shift = false;
    bool keyV = false;       // drag vertically only
    bool keyH = false;       // drag horizontally only
    bool keyD = false;       // brushes clear instead of assigning
    bool alt = false;        // a drag does not snap
    bool leftButton = false; // the left mouse button is down
};

// What lies under the pointer; it chooses the cursor.
enum class HitKind {
    Nothing = 0, // system arrow
    Body = 1,    // a control: move
    Create = 2,  // a creation tool is armed
    Handle = 3,  // a resize handle of the only selected control
    Brush = 4,   // a brush tool is armed
};

// The commands the view handles itself.
namespace ViewCommand {
inline constexpr int kCopy = 32878;
inline constexpr int kPaste = 32879;
inline constexpr int kDelete = 32880;
inline constexpr int kActivate = 32895;
inline constexpr int kDeactivate = 32897;
inline constexpr int kStepUp = 32952;
inline constexpr int kStepDown = 32953;
inline constexpr int kCut = 33200;
inline constexpr int kDuplicate = 33201;
inline constexpr int kSelectAll = 33202;
inline constexpr int kLock = 33203;
inline constexpr int kUnlock = 33204;
// The key that runs a command in the view, shown beside it in menus; empty for none.
QKeySequence ShortcutOf(int command);
// Page pixels within which a dragged edge snaps, for about five pixels on the screen.
inline constexpr int kSnapScreenPixels = 5;
}

// One item of the design view's context menu: the command and its text's translation key.
struct ContextMenuItem {
    int command;
    const char* textKey;
};

// The editing logic of one design view, apart from any window: mouse gestures, keys,
// commands and the wheel, all in page coordinates. The widget converts its events, asks
// this class, and repaints when told to.
class DesignViewLogic {
public:
    DesignViewLogic(XPage* page, MarvolentaViewMainDelegate* delegate);

    XPage* Page() const { return page; }
    MarvolentaViewMainDelegate* Delegate() const { return delegate; }
    void SetDelegate(MarvolentaViewMainDelegate* d) { delegate = d; }
    // Called whenever the whole view must be painted again.
    void SetRepaint(std::function<void()> fn) { repaint = std::move(fn); }

    // Pointer movement without the button (and the first step of a drag movement).
    void Hover(QPoint point);
    void LeftButtonDown(QPoint point, const ViewKeys& keys);
    void LeftButtonMove(QPoint point, const ViewKeys& keys);
    void LeftButtonUp(QPoint point, const ViewKeys& keys);
    void DoubleClick(QPoint point);
    // Records the control under the point as the context control and returns the items
    // of the context menu, empty when no menu is to be shown.
    QVector<ContextMenuItem> RightButtonUp(QPoint point);
    void OnCommand(int commandId);
    // A key press (Qt key code); true for the keys the view uses.
    bool HandleKey(int key, const ViewKeys& keys);
    void Nudge(int step, bool vertical);
    // A wheel turn at time tick (milliseconds of a steady clock); inside tells whether
    // the pointer lies inside the view. Steps closer than 200 ms to the last accepted one
    // are dropped. Returns true when a zoom step was passed to the main frame.
    bool Wheel(int delta, unsigned tick, bool inside);
    // The page's selection changed: the only selected control becomes current, several
    // leave the pane empty with the first as the focus, none leave the page current.
    void SettleSelection();

    HitKind GetHitKind() const { return hitKind; }
    int GetHandleCode() const { return handleCode; }
    QPoint GetAnchor() const { return anchor; }
    QPoint GetHoverPoint() const { return hoverPoint; }
    bool IsMoved() const { return moved; }
    bool IsCapturing() const { return capturing; }
    // The pointers below are checked against the page: a control that undo took off the
    // page is no longer reported.
    XControl* GetTrackedControl() const;
    XControl* GetFocusControl() const;
    void SetFocusControl(XControl* control) { focusControl = control; }
    XControl* GetContextControl() const;
    // While a drag snaps: the lines that hold. While a band is dragged: its rectangle.
    const std::vector<GuideLine>& Guides() const { return drag.Guides(); }
    bool IsBanding() const { return band.IsActive() && band.HasMoved(); }
    // The controls a drag is moving, sizing or drawing now; empty between drags.
    QList<XControl*> DraggedControls() const;
    IntRect BandRect() const { return band.Rect(); }

private:
    bool OnPage(const XControl* c) const;
    void Repaint();
    void ApplyBrush(int mode, QPoint point, const ViewKeys& keys);
    void SelectByClick(XControl* hit, const ViewKeys& keys);
    void Delete();
    void SelectAll(bool focusTypeOnly);
    void Duplicate();
    void Lock(bool locked);
    void FinishBand();
    void BeginDrag();
    int SnapTolerance() const;
    const LayoutSettings* Layout() const;

    XPage* page;
    MarvolentaViewMainDelegate* delegate;
    std::function<void()> repaint;

    QPoint anchor;
    QPoint currentPoint;
    HitKind hitKind = HitKind::Nothing;
    int handleCode = 0;
    bool moved = false;
    bool capturing = false;
    XControl* trackedControl = nullptr;
    XControl* focusControl = nullptr;
    unsigned lastWheelTick = 0;
    bool wheelSeen = false;
    QPoint hoverPoint;
    XControl* contextControl = nullptr;
    BandSelection band;
    SnappedDrag drag;
};

// Whether a brush of the given mode applies to a control of this type; the interlock and
// format brushes also look at the page and the format source.
bool BrushAppliesTo(int mode, const XControl& control, MarvolentaViewMainDelegate& delegate);
