#include "ControlSupport.h"

#include "base/Translation.h"
#include "base/UiSeam.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/ProjectData.h"
#include "model/PropertyGridModel.h"
#include "model/XControl.h"
#include "model/TActionCommand.h"
#include "model/XPage.h"
#include "model/ControlMainDelegate.h"
#include "XPhoto.h"

#include <memory>

#include <QFileInfo>

namespace ControlSupport {

QString ProjectImagePath(const ControlProjectDataDelegate* project, const QString& name)
{
    if (!project || name == kNone)
        return {};
    const ProjectData* data = const_cast<ControlProjectDataDelegate*>(project)->GetProject();
    return data ? data->ImagePath(name) : QString();
}

bool ProjectImageExists(const ControlProjectDataDelegate* project, const QString& name)
{
    const QString path = ProjectImagePath(project, name);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString ImageOrNone(const ControlProjectDataDelegate* project, const QString& name)
{
    return project && project->HasImage(name) ? name : kNone;
}

QString ChooseProjectImage(XPhoto& control)
{
    const QString path = Ui().ChooseOpenFile(Translate("146"), control.imageFilter);
    if (path.isEmpty() || !control.projectData)
        return {};
    const QString stored = QFileInfo(path).fileName();
    return control.projectData->AddImage(path, stored) ? stored : QString();
}

bool ChooseImageInto(XPhoto& control, void (*set)(XPhoto&, const QString&))
{
    const QString stored = ChooseProjectImage(control);
    if (stored.isEmpty())
        return false;
    std::unique_ptr<XControl> before(control.Clone(true));
    set(control, stored);
    control.InvalidatePageWindow();
    if (control.mainDelegate)
        control.mainDelegate->SelectElement(&control);
    if (before && control.page && static_cast<XControl*>(control.page) != &control)
        control.page->PushCommand(new TControlChangeCommand(before.release(), &control));
    return true;
}

}

// ---------------------------------------------------------------- PageReference

namespace {
XPage* PageBySerial(const ControlProjectDataDelegate* project, quint64 serial)
{
    if (!project || serial == 0)
        return nullptr;
    const ProjectData* data = const_cast<ControlProjectDataDelegate*>(project)->GetProject();
    if (!data)
        return nullptr;
    for (XPage* p : data->pages)
        if (p->serial == serial)
            return p;
    return nullptr;
}
}

XPage* PageReference::Target(const ControlProjectDataDelegate* project) const
{
    return PageBySerial(project, serial);
}

QString PageReference::CurrentName(const ControlProjectDataDelegate* project) const
{
    if (const XPage* p = PageBySerial(project, serial))
        return p->name;
    return name;
}

void PageReference::Set(const XPage* page)
{
    name = page ? page->name : ControlSupport::kNone;
    serial = page ? page->serial : 0;
}

void PageReference::Resolve(const ControlProjectDataDelegate* project)
{
    serial = 0;
    if (name == ControlSupport::kNone || !project)
        return;
    if (const XPage* p = project->FindPage(name))
        serial = p->serial;
}

void PageReference::Refresh(const ControlProjectDataDelegate* project)
{
    name = CurrentName(project);
    Resolve(project);
    if (serial == 0)
        name = ControlSupport::kNone;
}

void PageReference::CopyFrom(const PageReference& other, const ControlProjectDataDelegate* otherProject,
                             const ControlProjectDataDelegate* project)
{
    name = other.CurrentName(otherProject);
    Resolve(project);
}

bool PageReference::Forget(const XPage* page)
{
    if (!page)
        return false;
    const bool refers = serial != 0 ? serial == page->serial : name == page->name;
    if (!refers || IsNone())
        return false;
    Clear();
    return true;
}

bool PageReference::Apply(const ControlProjectDataDelegate* project, CMFCMyPropertyGridProperty& property)
{
    const QString v = property.GetText();
    if (v == CurrentName(project))
        return false;
    if (v == ControlSupport::kNone) {
        Clear();
        return true;
    }
    XPage* target = project ? project->FindPage(v) : nullptr;
    if (!target) {
        property.SetValue(CurrentName(project));
        return false;
    }
    Set(target);
    return true;
}

void PageReference::FillOptions(const ControlProjectDataDelegate* project, CMFCMyPropertyGridProperty& property)
{
    if (project)
        project->FillPageOptions(property);
    else
        property.AddOption(ControlSupport::kNone);
}
