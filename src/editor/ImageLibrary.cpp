#include "ImageLibrary.h"

#include "RowEdit.h"
#include "controls/XPhoto.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/ElementTypes.h"
#include "model/ProjectData.h"
#include "model/TActionCommand.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QFileInfo>
#include <QImageReader>

#include <memory>

namespace {

// A picture whose image cannot be read still gets a size one can see and grab.
constexpr int kFallbackSize = 100;

ProjectData* ProjectOf(const XPage& page)
{
    return page.projectData ? page.projectData->GetProject() : nullptr;
}

// A control as large as its page is the page's background: a drop on it is a drop on the
// page, or no picture could ever be placed on a page with a backdrop.
bool CoversPage(const XControl& control, const XPage& page)
{
    const IntRect c = control.Bounds();
    const IntRect p = page.Bounds();
    return c.left <= p.left && c.top <= p.top && c.right >= p.right && c.bottom >= p.bottom;
}

bool SetImageOf(XControl& target, const QString& name, const QString& path)
{
    if (!RowEdit::Find(target, PropertyId::kImage, PropertyRowKind::Image))
        return false;
    // A control that takes fewer kinds of image than the library (buttons take no GIF).
    if (const auto* photo = dynamic_cast<const XPhoto*>(&target);
        photo && !ImageLibrary::FilterAccepts(photo->imageFilter, path))
        return false;
    auto step = std::make_unique<TActionCommands>();
    if (!RowEdit::Apply(target, PropertyKind::Options, PropertyId::kImage, name, *step))
        return false;
    target.page->PushCommands(step.release());
    return true;
}

XControl* PlacePicture(XPage& page, QPoint at, const QString& name, const QString& storedPath)
{
    XControl* picture = CreateElement(ElementType::kPhoto);
    auto* photo = dynamic_cast<XPhoto*>(picture);
    if (!photo) {
        delete picture;
        return nullptr;
    }
    QSize size = QImageReader(storedPath).size();
    if (!size.isValid() || size.isEmpty())
        size = {kFallbackSize, kFallbackSize};
    page.AddControl(photo);
    photo->imageFile = name;
    photo->SetBounds({at.x(), at.y(), at.x() + size.width(), at.y() + size.height()});
    page.PushCommand(new TControlExistCommand(photo, &page, false));
    photo->InvalidatePageWindow();
    return photo;
}

} // namespace

namespace ImageLibrary {

QString Filter()
{
    return XPhoto().imageFilter;
}

bool FilterAccepts(const QString& filter, const QString& path)
{
    const QStringList parts = filter.split(u'|');
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.isEmpty())
        return false;
    for (int i = 1; i < parts.size(); i += 2)
        for (const QString& pattern : parts[i].split(u';', Qt::SkipEmptyParts))
            if (pattern.trimmed().compare(QStringLiteral("*.") + suffix, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

ImportOutcome Import(ProjectData& project, const QStringList& paths)
{
    ImportOutcome outcome;
    const QString filter = Filter();
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        if (!FilterAccepts(filter, path) || !QFileInfo(path).isFile())
            outcome.refused << name;
        else if (project.HasImage(name))
            outcome.present << name;
        else if (project.AddImage(path, name))
            outcome.taken << name;
        else
            outcome.refused << name;
    }
    return outcome;
}

XControl* Drop(XPage& page, QPoint at, const QString& path)
{
    ProjectData* project = ProjectOf(page);
    if (!project || !FilterAccepts(Filter(), path))
        return nullptr;
    const QString name = QFileInfo(path).fileName();
    if (!project->AddImage(path, name))
        return nullptr;
    if (XControl* target = page.ControlAt(at); target && !CoversPage(*target, page))
        if (SetImageOf(*target, name, path))
            return target;
    return PlacePicture(page, at, name, project->ImagePath(name));
}

}
