#include "DuplicateElement.h"

#include "ControlProjectDataDelegate.h"
#include "ProjectData.h"
#include "TypeRegistry.h"
#include "XPage.h"

XControl* DuplicateElement(XControl* element, bool withIdentity, const ElementFactory& create)
{
    if (!element)
        return nullptr;
    const int type = element->GetType();
    if (type == ElementType::kPage || type == ElementType::kSubPage) {
        ProjectData* project = element->projectData ? element->projectData->GetProject() : nullptr;
        if (!project)
            return nullptr;
        XPage* copy = project->NewPage(type, project->NextPageName(type));
        if (copy) {
            const QString freshName = copy->name;
            copy->CopyFrom(*element, withIdentity);
            if (!withIdentity)
                copy->name = freshName;
        }
        return copy;
    }
    XControl* copy = create ? create(type) : ::CreateElement(type);
    if (copy)
        copy->CopyFrom(*element, withIdentity);
    return copy;
}
