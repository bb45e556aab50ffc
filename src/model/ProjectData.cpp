#include "ProjectData.h"

#include "ControlMainDelegate.h"
#include "ElementRecord.h"
#include "MyFile.h"
#include "ProjectDataMainDelegate.h"
#include "ProjectWrite.h"
#include "PropertyGridModel.h"
#include "TypeRegistry.h"
#include "WorkLimits.h"
#include "XPage.h"
#include "base/FileUtil.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "base/Versions.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace {
const QString kPhoto = QStringLiteral("PHOTO");
const QString kVideo = QStringLiteral("VIDEO");
const QString kTextPhoto = QStringLiteral("TEXTPHOTO");
const QString kNone = QStringLiteral("NONE");
const QString kHint = QStringLiteral("提示");
// Text images are rendered on up to this many threads while the editor waits for its save.
constexpr int kMaxSaveRenderThreads = 4;
}

bool IsPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0))
        && !QDir::isAbsolutePath(name) && !(name.size() >= 2 && name[1] == u':');
}

ProjectData::ProjectData() = default;

ProjectData::~ProjectData()
{
    qDeleteAll(pages);
}

// ---------------------------------------------------------------- names and paths

QString ProjectData::NameFromFolder(const QString& path)
{
    QString last = QDir::cleanPath(path);
    last = last.mid(last.lastIndexOf(u'/') + 1);
    const int dot = last.lastIndexOf(u'.');
    return dot >= 0 ? last.left(dot) : last;
}

QString ProjectData::GetName() const { return NameFromFolder(folder); }

QString ProjectData::DataFilePathIn(const QString& folder)
{
    return folder + u'/' + NameFromFolder(folder) + QStringLiteral(".mvl");
}

QString ProjectData::TextImageFolderIn(const QString& folder)
{
    return folder + u'/' + kPhoto + u'/' + kTextPhoto;
}

bool ProjectData::MakeFoldersIn(const QString& folder)
{
    return QDir().mkpath(folder + u'/' + kPhoto) && QDir().mkpath(folder + u'/' + kVideo)
        && QDir().mkpath(TextImageFolderIn(folder));
}

QString ProjectData::GetDataFilePath() const { return DataFilePathIn(folder); }
QString ProjectData::GetImageFolder() const { return folder + u'/' + kPhoto; }
QString ProjectData::GetTextImageFolder() const { return TextImageFolderIn(folder); }

QString ProjectData::ImagePath(const QString& name) const
{
    return IsPlainFileName(name) ? GetImageFolder() + u'/' + name : QString();
}

bool ProjectData::ImageFileExists(const QString& name) const
{
    if (loading) {
        const auto it = imageFilesSeen.constFind(name);
        if (it != imageFilesSeen.constEnd())
            return *it;
    }
    const QString path = ImagePath(name);
    const bool exists = !path.isEmpty() && QFileInfo(path).isFile();
    if (loading)
        imageFilesSeen.insert(name, exists);
    return exists;
}

ControlMainDelegate* ProjectData::ElementMainDelegate() const
{
    return mainDelegate ? mainDelegate->AsControlMainDelegate() : nullptr;
}

QString ProjectData::NextPageName(int typeNumber) const
{
    return MakeUniqueName(typeNumber, [this](const QString& n) { return FindPage(n) != nullptr; });
}

// ---------------------------------------------------------------- element services

void ProjectData::FillImageOptions(CMFCMyPropertyGridProperty& property) const
{
    property.AddOption(kNone);
    for (const QString& image : images)
        property.AddOption(image);
}

void ProjectData::NoteMissingImage(const XControl* element, const QString& name)
{
    missingImages.append({element, name});
}

bool ProjectData::HasImage(const QString& name) const
{
    return images.contains(name);
}

XPage* ProjectData::FindPage(const QString& name) const
{
    for (XPage* p : pages)
        if (p->name == name)
            return p;
    return nullptr;
}

void ProjectData::FillPageOptions(CMFCMyPropertyGridProperty& property) const
{
    property.AddOption(kNone);
    for (XPage* p : pages)
        property.AddOption(p->name);
}

void ProjectData::FillSubPageOptions(CMFCMyPropertyGridProperty& property) const
{
    property.AddOption(kNone);
    for (XPage* p : pages)
        if (p->GetType() == TypeRegistry::kSubPage)
            property.AddOption(p->name);
}

bool ProjectData::AddImage(const QString& sourcePath, const QString& name)
{
    if (HasImage(name))
        return true;
    const QString target = ImagePath(name);
    if (target.isEmpty()) {
        ShowPlainMessage(QStringLiteral("复制该图片到工程图片目录出错!请重新选择!"), kHint, MessageIcon::Error);
        return false;
    }
    if (!QDir().mkpath(GetImageFolder())) {
        ShowPlainMessage(QStringLiteral("创建工程图片文件夹失败!"), kHint, MessageIcon::Error);
        return false;
    }
    if (!QFileInfo::exists(sourcePath)
        || (!FileUtil::SamePath(sourcePath, target) && !FileUtil::CopyFileReplacing(sourcePath, target))) {
        ShowPlainMessage(QStringLiteral("复制该图片到工程图片目录出错!请重新选择!"), kHint, MessageIcon::Error);
        return false;
    }
    images.append(name);
    MarkModified();
    return true;
}

// ---------------------------------------------------------------- pages

XPage* ProjectData::NewPage(int typeNumber, const QString& name)
{
    XControl* element = mainDelegate ? mainDelegate->CreateElement(typeNumber) : CreateElement(typeNumber);
    auto* page = dynamic_cast<XPage*>(element);
    if (!page) {
        delete element;
        return nullptr;
    }
    page->name = name;
    page->x1 = std::min(0, screen.width);
    page->y1 = std::min(0, screen.height);
    page->x2 = std::max(0, screen.width);
    page->y2 = std::max(0, screen.height);
    page->projectData = this;
    page->mainDelegate = ElementMainDelegate();
    pages.append(page);
    MarkModified();
    return page;
}

void ProjectData::DeletePage(XPage* page)
{
    if (!pages.contains(page))
        return;
    for (XPage* p : pages) {
        for (XControl* c : p->controls)
            c->ForgetPage(page);
        // Removed controls and snapshots waiting in undo lists come back by undo.
        if (p != page)
            p->ForgetPageInHistory(page);
    }
    pages.removeOne(page);
    delete page;
    MarkModified();
}

bool ProjectData::MovePageAfter(XPage* page, XPage* target)
{
    if (page == target || !pages.contains(page) || !pages.contains(target))
        return false;
    pages.removeOne(page);
    pages.insert(pages.indexOf(target) + 1, page);
    MarkModified();
    return true;
}

void ProjectData::Resize(int newWidth, int newHeight)
{
    const int oldWidth = screen.width;
    const int oldHeight = screen.height;
    screen.width = newWidth;
    screen.height = newHeight;
    MarkModified();
    ControlMainDelegate* md = ElementMainDelegate();
    for (XPage* p : pages) {
        if (md)
            md->ClosePageView(p);
        p->Scale(newWidth, oldWidth, newHeight, oldHeight);
        for (XControl* c : p->controls)
            c->Scale(newWidth, oldWidth, newHeight, oldHeight);
    }
}

void ProjectData::BuildTree()
{
    if (!mainDelegate)
        return;
    mainDelegate->AddTreeItem(this, nullptr, GetName(), 100, 0);
    for (XPage* p : pages) {
        mainDelegate->AddTreeItem(this, p, p->name, p->GetType(), 0);
        for (XControl* c : p->controls)
            mainDelegate->AddTreeItem(this, c, c->name, c->GetType(), 0);
    }
}

// ---------------------------------------------------------------- file

bool ProjectData::EnsureFolders() const
{
    if (MakeFoldersIn(folder))
        return true;
    ShowPlainMessage(QStringLiteral("创建工程相关数据文件夹失败!"), kHint, MessageIcon::Error);
    return false;
}

bool ProjectData::SaveProjectFile()
{
    saveFailure.clear();
    // A data file opened under another name than its folder's is saved under the
    // folder's name; never over a different project file that already has that name.
    const QString target = GetDataFilePath();
    if (!loadedFile.isEmpty() && !FileUtil::SamePath(loadedFile, target) && QFileInfo::exists(target)) {
        ShowMessageText(TranslateFormat("923", {target}), "70");
        return false;
    }
    const quint64 written = changeCount;
    if (!EnsureFolders())
        return false;
    ProjectWrite write(*this, folder);
    const bool ok = write.Commit(std::clamp(QThread::idealThreadCount(), 1, kMaxSaveRenderThreads));
    if (write.DataFileWritten() && !loadedFile.isEmpty())
        loadedFile = target; // from now on this project owns the folder's file
    if (!ok) {
        saveFailure = write.FailureText();
        return false;
    }
    savedChangeCount = written;
    return true;
}

bool ProjectData::WriteCopyInto(const QString& otherFolder)
{
    ProjectWrite write(*this, otherFolder);
    return write.Commit(std::clamp(QThread::idealThreadCount(), 1, kMaxSaveRenderThreads), folder);
}

bool ProjectData::WriteRecords(MyFile& file, TextImageWriter* textImages)
{
    offeringTo = textImages;
    file.WriteWord(0x8001);
    file.WriteString(QString::fromUtf8(Versions::kBuildVersion));
    file.WriteWord(Versions::kDataVersion);
    file.WriteString(QString::fromUtf8(Versions::kMinRuntimeVersion));
    file.WriteWord(Versions::kDataVersion);
    file.WriteString(QString::fromUtf8(Versions::kMinIosVersion));
    file.WriteWord(Versions::kDataVersion);
    file.WriteWord(screen.width);
    file.WriteWord(screen.height);
    file.WriteWord(static_cast<int>(images.size()));
    for (const QString& image : images)
        file.WriteString(image);
    bool ok = file.WriteWord(static_cast<int>(pages.size()));
    for (int i = 0; ok && i < pages.size(); ++i)
        ok = pages[i]->Save(file);
    offeringTo = nullptr;
    return ok;
}

QString ProjectData::LoadFailureText(const MyFile& file) const
{
    const QString at = QString::number(file.ErrorOffset());
    switch (file.LastError()) {
    case MyFile::Error::Truncated:
        return TranslateFormat("900", {at});
    case MyFile::Error::BadNumber:
        return TranslateFormat("901", {at});
    case MyFile::Error::StringTooLong:
        return TranslateFormat("902", {at});
    case MyFile::Error::UnknownType: {
        const QString type = QString::number(file.FailedType());
        const QString key = GetTypeKey(file.FailedType());
        if (key.isEmpty())
            return TranslateFormat("904", {type, at});
        return TranslateFormat("903", {type, key});
    }
    case MyFile::Error::UnknownVersion:
        return TranslateFormat("905", {QString::number(file.FailedVersion()),
                                                       GetTypeKey(file.FailedType()), at});
    case MyFile::Error::BadCount:
        return TranslateFormat("1200", {GetTypeKey(file.FailedType()), at, QString::number(file.FailedCount())});
    case MyFile::Error::BadValue:
        return TranslateFormat("1232", {GetTypeKey(file.FailedType()), at, file.FailedField(),
                                        QString::number(file.FailedValue()), QString::number(file.FailedLow()),
                                        QString::number(file.FailedHigh())});
    case MyFile::Error::Misplaced:
        return TranslateFormat("1404", {GetTypeKey(file.FailedType()), at});
    case MyFile::Error::OutOfRange:
        return TranslateFormat("1100", {GetTypeKey(file.FailedType()), at,
                                        QString::number(WorkLimits::kMaxCoordinate)});
    default:
        return {};
    }
}

bool ProjectData::LoadProjectFile(const QString& path, QString& message, const QString& projectFolder)
{
    message.clear();
    MyFile file;
    if (!file.OpenRead(path))
        return false;
    if (projectFolder.isEmpty()) {
        folder = QFileInfo(path).absolutePath();
        loadedFile = QFileInfo(path).absoluteFilePath();
    } else {
        folder = QDir::cleanPath(QFileInfo(projectFolder).absoluteFilePath());
        loadedFile = GetDataFilePath();
    }

    const int v = file.ReadWord();
    if (!(v & 0x8000)) {
        loadedHeader = {0, QString(), 0};
        screen.name.clear();
        screen.width = v;
        screen.height = file.ReadWord();
    } else {
        const QString build = file.ReadString();
        const QString tooNew = TranslateFormat(
            "391", {QString::fromUtf8(Versions::kProductWord) + u' ' + build});
        if (v != 0x8001) {
            message = file.Failed() ? LoadFailureText(file) : tooNew;
            return false;
        }
        const int dataVersion = file.ReadWord();
        loadedHeader = {v & 0x7FFF, build, dataVersion};
        if (!file.Failed() && dataVersion > Versions::kDataVersion) {
            message = tooNew;
            return false;
        }
        file.ReadString();
        file.ReadWord();
        file.ReadString();
        file.ReadWord();
        screen.name.clear();
        screen.width = file.ReadWord();
        screen.height = file.ReadWord();
    }

    loading = true;
    const int imageCount = file.ReadWord();
    for (int i = 0; i < imageCount && !file.Failed(); ++i) {
        const QString image = file.ReadString();
        if (!file.Failed() && ImageFileExists(image))
            images.append(image);
        else if (!file.Failed())
            NoteMissingImage(nullptr, image);
    }

    ControlMainDelegate* md = ElementMainDelegate();
    auto create = [this](int type) -> XControl* {
        XControl* e = mainDelegate ? mainDelegate->CreateElement(type) : CreateElement(type);
        if (e && !dynamic_cast<XPage*>(e)) { // only pages stand at the top level
            delete e;
            return nullptr;
        }
        return e;
    };
    auto link = [this, md](XControl* e) {
        e->mainDelegate = md;
        e->projectData = this;
    };
    const int pageCount = file.ReadWord();
    for (int i = 0; i < pageCount && !file.Failed(); ++i) {
        XControl* e = ReadElementRecord(file, create, link);
        if (!e)
            break;
        pages.append(static_cast<XPage*>(e));
    }
    loading = false;
    imageFilesSeen.clear();
    if (file.Failed()) {
        message = LoadFailureText(file);
        return false;
    }
    for (XPage* p : pages)
        p->ResolveReferences();
    return true;
}
