#pragma once

#include "ControlProjectDataDelegate.h"
#include "ScreenType.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class ControlMainDelegate;
class MyFile;
class ProjectDataMainDelegate;
class TextImageWriter;
class XPage;

// One open project: its folder, size, pages and sub-pages (which own the controls) and
// the images taken into its "PHOTO" folder.
class ProjectData : public ControlProjectDataDelegate {
public:
    ProjectData();
    ~ProjectData() override;
    ProjectData(const ProjectData&) = delete;
    ProjectData& operator=(const ProjectData&) = delete;

    // ControlProjectDataDelegate
    void FillImageOptions(CMFCMyPropertyGridProperty& property) const override;
    bool HasImage(const QString& name) const override;
    XPage* FindPage(const QString& name) const override;
    void FillPageOptions(CMFCMyPropertyGridProperty& property) const override;
    void FillSubPageOptions(CMFCMyPropertyGridProperty& property) const override;
    QString GetFolder() const override { return folder; }
    bool AddImage(const QString& sourcePath, const QString& name) override;
    ProjectData* GetProject() override { return this; }
    void NoteMissingImage(const XControl* element, const QString& name) override;
    void MarkModified() override { ++changeCount; }

    // Unsaved changes: any change since the last successful save (or load).
    bool IsModified() const { return changeCount != savedChangeCount; }
    // Grows with every change; a recovery copy taken at one count is current until the next.
    quint64 ChangeCount() const { return changeCount; }

    // Writes the data file and the text images that changed. On failure the text to show
    // is SaveFailureText(), or, when that is empty, the general save failure.
    bool SaveProjectFile();
    const QString& SaveFailureText() const { return saveFailure; }
    // Writes the data file and the text images as they are in memory into another folder
    // (a copy saved elsewhere), leaving the project's own folder, file and unsaved-changes
    // mark alone. Text images the project's folder already holds are taken from there.
    bool WriteCopyInto(const QString& otherFolder);
    // Writes the whole data file into memory, offering the text images to the writer
    // (none when it is null). False when an element could not be written.
    bool WriteRecords(MyFile& file, TextImageWriter* textImages);
    // While WriteRecords runs: where the controls offer their text images.
    TextImageWriter* TextImages() const { return offeringTo; }
    // On failure message holds the text to show, or is empty (the caller then shows
    // the general load failure). projectFolder, when given, is the folder the project
    // belongs to (images, later saves) when the file read lies elsewhere.
    bool LoadProjectFile(const QString& path, QString& message, const QString& projectFolder = QString());
    void BuildTree();
    XPage* NewPage(int typeNumber, const QString& name);
    void DeletePage(XPage* page);
    void Resize(int newWidth, int newHeight);
    QString GetName() const;
    QString GetDataFilePath() const;
    QString GetImageFolder() const;       // folder/PHOTO
    QString GetTextImageFolder() const;   // folder/PHOTO/TEXTPHOTO
    // The same for any project folder, and the folders a saved project has there.
    static QString DataFilePathIn(const QString& folder);
    static QString TextImageFolderIn(const QString& folder);
    static bool MakeFoldersIn(const QString& folder);
    // Full path of an image of the project, or empty when the name is not a plain file
    // name (it could otherwise point outside the image folder).
    QString ImagePath(const QString& name) const;
    // A plain name whose file is in the image folder.
    bool ImageFileExists(const QString& name) const;
    QString NextPageName(int typeNumber) const;
    ControlMainDelegate* ElementMainDelegate() const;
    // Moves a page directly behind another in project order.
    bool MovePageAfter(XPage* page, XPage* target);

    // The project name rule, shared with the data-file name and the package title: the
    // last path component, cut before its last "." when it has one.
    static QString NameFromFolder(const QString& folder);

    // The header of the file last loaded (version 0 is the old header without versions).
    struct HeaderInfo {
        int headerVersion = 1;
        QString buildVersion;
        int dataVersion = 0;
    };

    ProjectDataMainDelegate* mainDelegate = nullptr;
    HeaderInfo loadedHeader;
    QString loadedFile; // the data file this project was read from, if any
    QString folder;
    ScreenType screen;
    QList<XPage*> pages;
    QStringList images;
    // Image names the last load found without their file; the elements are compared,
    // never followed, since they may be gone since.
    struct MissingImage {
        const XControl* element;
        QString name;
    };
    QList<MissingImage> missingImages;

private:
    bool EnsureFolders() const;
    quint64 changeCount = 0;
    quint64 savedChangeCount = 0;
    QString saveFailure;
    // While a file loads: what the image folder was found to hold (thousands of controls
    // may name the same few images).
    mutable QHash<QString, bool> imageFilesSeen;
    bool loading = false;
    TextImageWriter* offeringTo = nullptr;
    QString LoadFailureText(const class MyFile& file) const;
};

// True for a name that stays inside the folder it is joined to: no separator, not "."
// or "..", not absolute, not empty.
bool IsPlainFileName(const QString& name);
