#include "PreviewModel.h"

#include "PreviewRoles.h"
#include "PreviewSnapshot.h"
#include "controls/XButton.h"
#include "controls/XDanteVolumeBar.h"
#include "controls/XPageContainer.h"
#include "controls/XSlider.h"
#include "controls/XVolumeBar.h"
#include "model/ElementTypes.h"
#include "model/XPage.h"

#include <algorithm>

namespace {

// Drawing reaches a little past a control's rectangle (borders are centred on it).
constexpr int kDrawMargin = 4;

PreviewRole RoleOf(const XControl* c)
{
    return PreviewRoleOf(c->GetType());
}

QRect PageArea(const XPage* page)
{
    return page ? page->Bounds().ToQRect() : QRect();
}

}

PreviewModel::PreviewModel(PreviewSnapshot& s) : snapshot(s)
{
    Reset();
}

void PreviewModel::Reset(const QString& startPage)
{
    shown = snapshot.StartPage(startPage);
    history.clear();
    held = Hit();
    latched.clear();
    levels.clear();
    subPages.clear();
    log.clear();
    for (XPage* page : snapshot.Project().pages) {
        for (XControl* c : page->controls) {
            const PreviewRole role = RoleOf(c);
            if (role == PreviewRole::Button)
                latched.insert(c, static_cast<XButton*>(c)->showPressed != 0);
            else if (role == PreviewRole::Container)
                subPages.insert(c, static_cast<XPageContainer*>(c)->SubPage());
        }
    }
}

bool PreviewModel::Back()
{
    if (history.isEmpty() || held.control)
        return false;
    shown = history.takeLast();
    return true;
}

// ---------------------------------------------------------------- finding elements

PreviewModel::Hit PreviewModel::HitAt(XPage* page, QPoint point, const Hit& via, int depth) const
{
    if (!page || depth > kNestingLimit)
        return {};
    const QPoint local = point + via.offset;
    for (auto it = page->controls.crbegin(); it != page->controls.crend(); ++it) {
        XControl* c = *it;
        const PreviewRole role = RoleOf(c);
        if (c->visible == 0 || role == PreviewRole::Passive || !c->Bounds().Contains(local.x(), local.y()))
            continue;
        Hit hit = via;
        hit.control = c;
        if (role != PreviewRole::Container)
            return hit;
        // A container covers what lies below it: a touch on it goes to its sub-page or nowhere.
        XPage* sub = SubPageOf(c);
        if (!sub)
            return {};
        const IntRect b = c->Bounds();
        const IntRect s = sub->Bounds();
        const IntRect shownPart{b.left, b.top, b.left + std::min(b.Width(), s.Width()),
                                b.top + std::min(b.Height(), s.Height())};
        if (!shownPart.Contains(local.x(), local.y()))
            return {};
        Hit inner;
        inner.offset = via.offset + QPoint(s.left - b.left, s.top - b.top);
        inner.container = c;
        inner.outermost = via.outermost ? via.outermost : c;
        return HitAt(sub, point, inner, depth + 1);
    }
    return {};
}

bool PreviewModel::FindIn(XPage* page, const QString& name, const Hit& via, int depth, int& budget,
                          QPoint& centre) const
{
    if (!page || depth > kNestingLimit || --budget < 0)
        return false;
    for (XControl* c : page->controls) {
        if (c->visible == 0)
            continue;
        if (c->name == name) {
            const QRect r = c->Bounds().ToQRect().translated(-via.offset);
            centre = QPoint(r.left() + r.width() / 2, r.top() + r.height() / 2);
            return true;
        }
    }
    for (XControl* c : page->controls) {
        XPage* sub = RoleOf(c) == PreviewRole::Container && c->visible != 0 ? SubPageOf(c) : nullptr;
        if (!sub)
            continue;
        Hit inner;
        inner.offset = via.offset + QPoint(sub->Bounds().left - c->Bounds().left, sub->Bounds().top - c->Bounds().top);
        if (FindIn(sub, name, inner, depth + 1, budget, centre))
            return true;
    }
    return false;
}

bool PreviewModel::FindOnScreen(const QString& elementName, QPoint& centre) const
{
    int budget = kNestedPageBudget;
    return FindIn(shown, elementName, Hit(), 0, budget, centre);
}

QRect PreviewModel::AreaOf(const Hit& hit) const
{
    if (hit.outermost)
        return hit.outermost->Bounds().ToQRect().adjusted(-kDrawMargin, -kDrawMargin, kDrawMargin, kDrawMargin);
    if (!hit.control)
        return {};
    const int margin = kDrawMargin + std::max(0, hit.control->lineWidth);
    return hit.control->Bounds().ToQRect().adjusted(-margin, -margin, margin, margin);
}

// ---------------------------------------------------------------- touches

bool PreviewModel::ShowsPressed(const XControl* button) const
{
    return held.control == button || latched.value(button, false);
}

QRect PreviewModel::Press(QPoint point)
{
    if (held.control)
        return {};
    held = HitAt(shown, point, Hit(), 0);
    if (!held.control)
        return {};
    switch (RoleOf(held.control)) {
    case PreviewRole::Button:
        return AreaOf(held);
    case PreviewRole::Level:
        return SetLevel(point);
    default:
        return {};
    }
}

QRect PreviewModel::Drag(QPoint point)
{
    if (!held.control || RoleOf(held.control) != PreviewRole::Level)
        return {};
    return SetLevel(point);
}

QRect PreviewModel::Release(QPoint point)
{
    if (!held.control)
        return {};
    // A level follows the touch to where it ends, even past the control's ends.
    QRect area = RoleOf(held.control) == PreviewRole::Level ? SetLevel(point) : QRect();
    const Hit was = held;
    held = Hit();
    const Hit now = HitAt(shown, point, Hit(), 0);
    XControl* c = was.control;
    PreviewLogEntry entry;
    entry.page = c->page ? c->page->name : QString();
    entry.element = c->name;
    switch (RoleOf(c)) {
    case PreviewRole::Button:
        area = AreaOf(was);
        // A touch that leaves the button before it ends does nothing.
        if (now.control != c)
            return area;
        return area | Act(static_cast<XButton*>(c), was);
    case PreviewRole::Level:
        entry.level = Level(c);
        entry.sendCode = LevelOf(c).sendCode;
        entry.channel = LevelOf(c).channel;
        break;
    case PreviewRole::RuntimeOnly:
        if (now.control != c)
            return {};
        entry.runtimeOnly = true;
        break;
    default:
        return {};
    }
    AddToLog(entry);
    return area | AreaOf(was);
}

QRect PreviewModel::Tap(QPoint point)
{
    const QRect a = Press(point);
    return a | Release(point);
}

QRect PreviewModel::SetLevel(QPoint point)
{
    XControl* c = held.control;
    const int level = LevelAt(c, point + held.offset);
    if (levels.value(c, 0) == level && levels.contains(c))
        return {};
    levels.insert(c, level);
    return AreaOf(held);
}

PreviewModel::LevelTraits PreviewModel::LevelOf(const XControl* c)
{
    LevelTraits t;
    int steps = kDanteLevels;
    const IntRect b = c->Bounds();
    // Sliders say their direction; the bars run along their longer side.
    t.vertical = b.Height() > b.Width();
    switch (c->GetType()) {
    case ElementType::kSlider: {
        const auto* slider = static_cast<const XSlider*>(c);
        steps = slider->sliderSteps;
        t.vertical = slider->sliderVertical != 0;
        t.sendCode = slider->sendCode;
        break;
    }
    case ElementType::kVolumeBar:
        steps = static_cast<const XVolumeBar*>(c)->sliderSteps;
        t.sendCode = static_cast<const XVolumeBar*>(c)->sendCode;
        break;
    case ElementType::kDanteVolumeBar:
        t.channel = static_cast<const XDanteVolumeBar*>(c)->danteChannel;
        break;
    default:
        break;
    }
    t.maximum = std::max(1, steps - 1);
    return t;
}

int PreviewModel::LevelAt(const XControl* c, QPoint point)
{
    const IntRect b = c->Bounds();
    const LevelTraits t = LevelOf(c);
    const int length = t.vertical ? b.Height() : b.Width();
    if (length <= 0)
        return 0;
    // From the bottom or the left; rounded to the nearest step in whole numbers, as the
    // prototype's script does.
    const int along = std::clamp(t.vertical ? b.bottom - point.y() : point.x() - b.left, 0, length);
    const qint64 maximum = t.maximum;
    return static_cast<int>((2 * along * maximum + length) / (2 * static_cast<qint64>(length)));
}

QRect PreviewModel::Act(XButton* button, const Hit& hit)
{
    QRect area;
    if (const QString* group = button->InterlockGroup()) {
        for (XControl* c : button->page->controls) {
            if (RoleOf(c) != PreviewRole::Button || static_cast<XButton*>(c)->InterlockGroup() != group)
                continue;
            const bool selected = c == button;
            if (latched.value(c) != selected) {
                latched.insert(c, selected);
                Hit other = hit;
                other.control = c;
                area |= AreaOf(other);
            }
        }
    }
    PreviewLogEntry entry;
    entry.page = button->page ? button->page->name : QString();
    entry.element = button->name;
    entry.sendCode = button->sendCode;
    entry.command = button->commandString;
    entry.detail = PreviewLog::ButtonDetail(button->buttonKind, button->auxNumber, button->InterlockGroup() != nullptr);
    XPage* target = button->JumpTarget();
    if (target) {
        entry.jump = target->name;
        if (target->GetType() == ElementType::kSubPage) {
            XControl* container = hit.container;
            if (!container) {
                for (XControl* c : shown->controls)
                    if (RoleOf(c) == PreviewRole::Container && c->visible != 0 && c->page != target) {
                        container = c;
                        break;
                    }
            }
            if (container && container->page != target) {
                subPages.insert(container, target);
                Hit box;
                box.control = container;
                box.outermost = hit.outermost ? hit.outermost : container;
                area |= AreaOf(box);
            } else {
                area |= ShowPage(target);
            }
        } else {
            area |= ShowPage(target);
        }
    }
    if (entry.sendCode != 0 || !entry.command.isEmpty() || !entry.detail.isEmpty() || !entry.jump.isEmpty()) {
        AddToLog(entry);
    }
    return area;
}

void PreviewModel::AddToLog(const PreviewLogEntry& entry)
{
    log.append(entry);
    if (log.size() > kLogLimit)
        log.removeFirst();
}

QRect PreviewModel::ShowPage(XPage* page)
{
    if (page == shown)
        return {};
    history.append(shown);
    if (history.size() > kHistoryLimit)
        history.removeFirst();
    shown = page;
    return PageArea(page);
}
