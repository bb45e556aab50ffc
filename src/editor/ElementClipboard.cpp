#include "ElementClipboard.h"

#include "base/FileUtil.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/ProjectData.h"
#include "model/TActionCommand.h"
#include "model/XPage.h"

#include <QDir>
#include <QFileInfo>

namespace {

ProjectData* ProjectOf(const XControl* element)
{
    return element && element->projectData ? element->projectData->GetProject() : nullptr;
}

// Two spellings of one folder (a trailing slash, a link) are the same project.
QString CleanFolder(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

ElementClipboard::ElementClipboard(ElementFactory factory) : create(std::move(factory)) {}

ElementClipboard::~ElementClipboard() = default;

void ElementClipboard::Clear()
{
    entries.clear();
}

void ElementClipboard::Copy(XPage* page)
{
    if (!page)
        return;
    entries.clear();
    ProjectData* project = ProjectOf(page);
    for (XControl* c : page->controls) {
        if (!c->selected)
            continue;
        XControl* copy = DuplicateElement(c, false, create);
        if (!copy)
            continue;
        copy->selected = false;
        entries.push_back({std::unique_ptr<XControl>(copy), c->name, project ? project->folder : QString(), project});
    }
}

bool ElementClipboard::FromOtherProject(const Entry& entry, const ProjectData* target) const
{
    return !target || entry.source != target || CleanFolder(entry.sourceFolder) != CleanFolder(target->folder);
}

bool ElementClipboard::Paste(XPage* page)
{
    if (!page || entries.empty())
        return false;
    ProjectData* target = ProjectOf(page);
    auto* group = new TActionCommands;
    for (const Entry& entry : entries) {
        XControl* copy = DuplicateElement(entry.control.get(), false, create);
        if (!copy)
            continue;
        const bool otherProject = FromOtherProject(entry, target);
        if (otherProject)
            CutReferences(*copy, entry.source);
        copy->mainDelegate = page->mainDelegate;
        copy->projectData = target;
        copy->page = page;
        if (otherProject && target)
            CarryImages(*copy, entry.sourceFolder, *target);
        copy->selected = true;
        group->Add(new TControlExistCommand(copy, page, true, entry.name));
    }
    if (group->IsEmpty()) {
        delete group;
        return false;
    }
    page->DeselectAll();
    group->Execute();
    page->PushCommands(group);
    return true;
}

void ElementClipboard::CutReferences(XControl& copy, ProjectData* source)
{
    copy.ClearReferences();
    // Classes that keep references outside their field table drop them here.
    if (!source)
        return;
    for (XPage* p : source->pages) {
        copy.ForgetPage(p);
        for (XControl* c : p->controls)
            copy.ForgetControl(c);
    }
}

void ElementClipboard::CarryImages(const XControl& copy, const QString& sourceFolder, ProjectData& target)
{
    for (const QString& name : copy.ImageNames()) {
        if (!IsPlainFileName(name))
            continue;
        const QString from = sourceFolder + QStringLiteral("/PHOTO/") + name;
        const QString to = target.ImagePath(name);
        if (QFileInfo(from).isFile() && !FileUtil::SamePath(from, to)) {
            QDir().mkpath(target.GetImageFolder());
            FileUtil::CopyFileReplacing(from, to); // a failed copy leaves the name out below
        }
        if (!target.images.contains(name) && QFileInfo(to).isFile())
            target.images.append(name);
    }
}

void ElementClipboard::ForgetPage(const XPage* page)
{
    for (Entry& e : entries) {
        e.control->ForgetPage(page);
        if (e.control->page == page)
            e.control->page = nullptr;
    }
}

void ElementClipboard::ForgetProject(const ProjectData* project)
{
    for (Entry& e : entries) {
        if (e.source == project) {
            e.source = nullptr;
            e.control->projectData = nullptr;
            e.control->page = nullptr;
        }
    }
}
