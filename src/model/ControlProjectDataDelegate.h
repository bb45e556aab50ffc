#pragma once

#include <QString>

class CMFCMyPropertyGridProperty;
class ProjectData;
class XControl;
class XPage;

// What an element may ask of its project, in slot order.
class ControlProjectDataDelegate {
public:
    virtual ~ControlProjectDataDelegate() = default;

    virtual void FillImageOptions(CMFCMyPropertyGridProperty& property) const = 0;
    virtual bool HasImage(const QString& name) const = 0;
    virtual XPage* FindPage(const QString& name) const = 0;
    virtual void FillPageOptions(CMFCMyPropertyGridProperty& property) const = 0;
    virtual void FillSubPageOptions(CMFCMyPropertyGridProperty& property) const = 0;
    virtual QString GetFolder() const = 0;
    virtual bool AddImage(const QString& sourcePath, const QString& name) = 0;
    virtual ProjectData* GetProject() = 0;
    // An element named an image that is not in the image folder (it now shows none);
    // element is null for an image of the project's own list.
    virtual void NoteMissingImage(const XControl* element, const QString& name) {}
    // Something the project file holds has changed since the last save.
    virtual void MarkModified() {}
};
