#pragma once

#include "PreviewLog.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QRect>

class PreviewSnapshot;
class XButton;
class XControl;
class XPage;

// A running panel's state over a snapshot of a project, without widgets: the page shown
// and the way back, the buttons shown pressed (held, or selected in their interlock
// group), the level of every slider and volume bar, the sub-page of every page container,
// and the log of what the panel would send. It takes touches at the shown page's
// coordinates and answers what to draw.
//
// Modelled, from the project's data alone:
// - a button shows its pressed look while held; at rest it shows the look the design
//   gives it (its "shown pressed" flag), except that the button of an interlock group
//   last released stays selected and the others of its group go back to normal;
// - on release over the button: its send code, command string (as stored), button kind
//   and auxiliary number (shown, never interpreted) go to the log, and its jump target
//   is shown: a page replaces the shown page; a sub-page goes into the page container
//   the button lies in, else into the first page container of the shown page, else it
//   is shown in place of the page;
// - page containers show their sub-page, whose controls take touches as on a page;
// - sliders and volume bars take a level from the touch along their length, 0 to
//   steps - 1 (a Dante bar, which has no steps, 0 to 100), and log it with their send
//   code (the Dante bar with its channel) when the touch ends.
// Left to the panel runtime: what the codes, commands, kinds and auxiliary numbers do;
// how sliders and bars are drawn; video, display walls, pickers, links, platform and
// service controls (drawn as in the design view; a touch only says so in the log).
// A touch lands on the topmost element with a role under it, within its rectangle;
// decoration (texts, pictures, rectangles, lines) lets touches through.
class PreviewModel {
public:
    static constexpr int kLogLimit = 500;
    static constexpr int kHistoryLimit = 100;
    static constexpr int kNestingLimit = 8;
    // Sub-pages shown inside sub-pages multiply: at most this many are drawn or searched
    // for one page, whatever a project's containers say.
    static constexpr int kNestedPageBudget = 256;
    static constexpr int kDanteLevels = 101;

    explicit PreviewModel(PreviewSnapshot& snapshot);

    // The state of a panel just started on the page (the first page when not found).
    void Reset(const QString& startPage = QString());

    XPage* ShownPage() const { return shown; }
    bool CanGoBack() const { return !history.isEmpty(); }
    // Shows the page shown before the last jump; false when there is none.
    bool Back();

    // Touches at shown-page coordinates. Each returns the area of the shown page whose
    // look changed (empty for none); a change of page returns the whole page.
    QRect Press(QPoint point);
    QRect Drag(QPoint point);
    QRect Release(QPoint point);
    // Press and release at the same point.
    QRect Tap(QPoint point);

    bool ShowsPressed(const XControl* button) const;
    int Level(const XControl* control) const { return levels.value(control, 0); }
    // Whether the control has been touched since the start (the panel alone knows its
    // level before that).
    bool HasLevel(const XControl* control) const { return levels.contains(control); }
    // What a level control's data say about its level: the highest level (its steps - 1,
    // at least 1), its direction, and what it sends with the level.
    struct LevelTraits {
        int maximum = 1;
        bool vertical = false; // from the bottom up; else from the left
        int sendCode = 0;
        int channel = 0; // a Dante bar's
    };
    static LevelTraits LevelOf(const XControl* control);
    static int LevelMaximum(const XControl* control) { return LevelOf(control).maximum; }
    // The level a touch at a point of the control's own page sets.
    static int LevelAt(const XControl* control, QPoint point);
    XPage* SubPageOf(const XControl* container) const { return subPages.value(container, nullptr); }
    const XControl* Held() const { return held.control; }
    const QList<PreviewLogEntry>& Log() const { return log; }

    // The centre, at shown-page coordinates, of the element of that name as the shown
    // page shows it (on the page itself or in a sub-page one of its containers shows).
    bool FindOnScreen(const QString& elementName, QPoint& centre) const;

private:
    // The element a touch reaches and how to get from shown-page coordinates to its page.
    struct Hit {
        XControl* control = nullptr;
        QPoint offset;                 // shown-page point + offset = point on the element's page
        XControl* container = nullptr; // the innermost page container it lies in
        XControl* outermost = nullptr; // the container of the shown page it lies in
    };
    Hit HitAt(XPage* page, QPoint point, const Hit& via, int depth) const;
    bool FindIn(XPage* page, const QString& name, const Hit& via, int depth, int& budget, QPoint& centre) const;
    QRect AreaOf(const Hit& hit) const;
    QRect Act(XButton* button, const Hit& hit);
    QRect ShowPage(XPage* page);
    QRect SetLevel(QPoint point);
    void AddToLog(const PreviewLogEntry& entry);

    PreviewSnapshot& snapshot;
    XPage* shown = nullptr;
    QList<XPage*> history;
    Hit held;
    QHash<const XControl*, bool> latched;
    QHash<const XControl*, int> levels;
    QHash<const XControl*, XPage*> subPages;
    QList<PreviewLogEntry> log;
};
