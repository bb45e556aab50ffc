#pragma once

class XControl;
class XPage;

// The alignment, centring and distribution commands of the main frame. They act on the
// selected controls of a design view's page, with the view's focus control as the
// reference, and record one move step when anything moved.
namespace Alignment {

inline constexpr int kAlignLeft = 32867;
inline constexpr int kAlignRight = 32868;
inline constexpr int kAlignTop = 32869;
inline constexpr int kAlignBottom = 32870;
inline constexpr int kCentreInPageHorizontally = 32871;
inline constexpr int kCentreInPageVertically = 32872;
inline constexpr int kDistributeHorizontally = 32873;
inline constexpr int kDistributeVertically = 32874;
inline constexpr int kAlignMiddles = 32881;  // vertical centres on the reference's
inline constexpr int kAlignCentres = 32882;  // horizontal centres on the reference's

bool IsAlignCommand(int commandId);
// How many selected controls the command needs before it is enabled; 0 for other ids.
int RequiredSelection(int commandId);
// Enabled while the page (the active view's; null for none) has enough selected
// controls. The main frame adds its own condition that a project is open.
bool IsEnabled(const XPage* page, int commandId);
// Runs the command. The focus control must be selected on the page. Returns true when a
// control moved; one move step is then on the page's undo list and the caller repaints.
bool Apply(XPage* page, XControl* focus, int commandId);

}
