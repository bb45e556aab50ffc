#include "PreviewSnapshot.h"

#include "model/ElementTypes.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

namespace {

void CopyControls(const XPage& from, XPage& to)
{
    for (const XControl* c : from.controls) {
        XControl* copy = CreateElement(c->GetType());
        if (!copy)
            continue;
        copy->CopyFrom(*c, true);
        // CopyFrom takes the source's links; the copy belongs to the snapshot.
        copy->mainDelegate = to.mainDelegate;
        copy->projectData = to.projectData;
        copy->page = &to;
        copy->selected = false;
        to.controls.append(copy);
    }
}

}

PreviewSnapshot::PreviewSnapshot(const ProjectData& source) : project(std::make_unique<ProjectData>())
{
    project->mainDelegate = &delegate;
    project->folder = source.folder;
    project->screen = source.screen;
    project->images = source.images;
    for (const XPage* p : source.pages) {
        XPage* page = project->NewPage(p->GetType(), p->name);
        if (!page)
            continue;
        page->x1 = p->x1;
        page->y1 = p->y1;
        page->x2 = p->x2;
        page->y2 = p->y2;
        page->backgroundColor = p->backgroundColor;
        page->runtimeValue = p->runtimeValue;
        page->runtimeFlag = p->runtimeFlag;
        for (const QString& group : p->GroupNames())
            page->AddGroup(group);
    }
    // Controls once every page exists, so that references resolve to the copies.
    for (int i = 0; i < source.pages.size() && i < project->pages.size(); ++i)
        CopyControls(*source.pages[i], *project->pages[i]);
    for (XPage* page : project->pages)
        page->ResolveReferences();
}

PreviewSnapshot::~PreviewSnapshot() = default;

XPage* PreviewSnapshot::StartPage(const QString& preferred) const
{
    if (XPage* named = preferred.isEmpty() ? nullptr : project->FindPage(preferred))
        return named;
    for (XPage* p : project->pages)
        if (p->GetType() == ElementType::kPage)
            return p;
    return project->pages.isEmpty() ? nullptr : project->pages.first();
}
