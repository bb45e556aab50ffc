#include "PreviewRenderer.h"

#include "PreviewModel.h"
#include "PreviewRoles.h"
#include "base/Colorref.h"
#include "controls/XButton.h"
#include "model/ControlMainDelegate.h"
#include "model/ElementTypes.h"
#include "model/WorkLimits.h"
#include "model/XPage.h"

#include <QPainter>

#include <algorithm>

namespace {

// The prototype's script draws the same marker from the same colours.
const QColor kLevelBand(246, 176, 72, 96);
const QColor kLevelLine(246, 176, 72);
constexpr int kLevelLineWidth = 3;
constexpr int kDrawMargin = 4;

// Nested sub-pages still to be drawn for the page being drawn (see kNestedPageBudget).
int nestedBudget = 0;

void DrawContainer(QPainter& painter, XControl& container, XPage& sub, const PreviewLooks& looks, int depth)
{
    const ControlMainDelegate* d = container.mainDelegate;
    if (!d || depth >= PreviewModel::kNestingLimit || --nestedBudget < 0)
        return;
    const IntRect b = container.Bounds();
    const IntRect s = sub.Bounds();
    const IntRect shownPart{b.left, b.top, b.left + std::min(b.Width(), s.Width()),
                            b.top + std::min(b.Height(), s.Height())};
    const QRect view = d->MapRect(shownPart).ToQRect();
    if (view.isEmpty())
        return;
    painter.save();
    painter.setClipRect(view, Qt::IntersectClip);
    painter.translate(view.topLeft() - d->MapPoint(s.left, s.top));
    PreviewRenderer::DrawPage(painter, sub, looks, QRect(), depth + 1);
    painter.restore();
}

}

namespace PreviewRenderer {

PreviewLooks LooksOf(const PreviewModel& model)
{
    const PreviewModel* m = &model;
    return {[m](const XControl* c) { return m->ShowsPressed(c); },
            [m](const XControl* c) { return m->SubPageOf(c); },
            [m](const XControl* c) { return m->HasLevel(c) ? m->Level(c) : -1; }};
}

void DrawPage(QPainter& painter, XPage& page, const PreviewLooks& looks, const QRect& area, int depth)
{
    const ControlMainDelegate* d = page.mainDelegate;
    if (!d)
        return;
    if (depth == 0)
        nestedBudget = PreviewModel::kNestedPageBudget;
    const QRect viewArea = area.isEmpty() ? QRect() : d->MapRect(IntRect{area.left(), area.top(),
                                                                         area.left() + area.width(),
                                                                         area.top() + area.height()})
                                                          .ToQRect();
    const XControl* above = depth == 0 ? looks.above : nullptr;
    if (!above)
        painter.fillRect(d->MapRect(page.Bounds()).ToQRect(), ToQColor(page.backgroundColor));
    bool reached = above == nullptr;
    for (XControl* c : page.controls) {
        if (!reached) {
            reached = c == above;
            continue;
        }
        if (c->visible == 0)
            continue;
        if (!viewArea.isEmpty()) {
            const int margin = kDrawMargin + std::max(0, c->lineWidth);
            if (!d->MapRect(c->Bounds().Inflated(margin)).ToQRect().intersects(viewArea))
                continue;
        }
        switch (PreviewRoleOf(c->GetType())) {
        case PreviewRole::Button:
            static_cast<XButton*>(c)->showPressed = looks.pressed && looks.pressed(c) ? 1 : 0;
            c->Draw(painter);
            break;
        case PreviewRole::Container:
            if (!looks.containers)
                break;
            if (XPage* sub = looks.subPage ? looks.subPage(c) : nullptr)
                DrawContainer(painter, *c, *sub, looks, depth);
            else
                c->Draw(painter);
            break;
        case PreviewRole::Level:
            c->Draw(painter);
            if (looks.level && looks.level(c) >= 0)
                DrawLevel(painter, *c, looks.level(c));
            break;
        default:
            c->Draw(painter);
            break;
        }
    }
}

QImage RenderShownPage(const PreviewModel& model)
{
    XPage* page = model.ShownPage();
    const ControlMainDelegate* d = page ? page->mainDelegate : nullptr;
    if (!d)
        return {};
    const IntRect b = page->Bounds();
    const QRect view(QPoint(0, 0), QSize(d->ScaleLength(WorkLimits::ClampImageSide(b.Width())),
                                         d->ScaleLength(WorkLimits::ClampImageSide(b.Height()))));
    if (view.isEmpty())
        return {};
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(-d->MapPoint(b.left, b.top));
    DrawPage(painter, *page, LooksOf(model));
    return image;
}

void DrawLevel(QPainter& painter, const XControl& c, int level)
{
    const ControlMainDelegate* d = c.mainDelegate;
    if (!d)
        return;
    const IntRect b = c.Bounds();
    const PreviewModel::LevelTraits traits = PreviewModel::LevelOf(&c);
    const bool vertical = traits.vertical;
    const int length = vertical ? b.Height() : b.Width();
    const int maximum = traits.maximum;
    const int filled = static_cast<int>(static_cast<qint64>(length) * std::clamp(level, 0, maximum) / maximum);
    const IntRect band = vertical ? IntRect{b.left, b.bottom - filled, b.right, b.bottom}
                                  : IntRect{b.left, b.top, b.left + filled, b.bottom};
    const QRect view = d->MapRect(band).ToQRect();
    painter.fillRect(view, kLevelBand);
    const int line = std::max(1, d->ScaleLength(kLevelLineWidth));
    if (vertical)
        painter.fillRect(QRect(view.left(), view.top(), view.width(), line), kLevelLine);
    else
        painter.fillRect(QRect(view.right() + 1 - line, view.top(), line, view.height()), kLevelLine);
}

}
