#include "base/Translation.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// The file of a 1024 × 768 project with one empty page, written by hand from the format
// tables: header, no images, one page record.
QByteArray HandWrittenProject()
{
    QByteArray b;
    b += "8001";
    b += "800a" + QByteArray("3\0.\0" "8\0.\0" "2\0", 10);
    b += "0006";
    b += "800a" + QByteArray("1\0.\0" "9\0.\0" "8\0", 10);
    b += "0006";
    b += "8004" + QByteArray("\x2a\x67\xe5\x77", 4); // 未知
    b += "0006";
    b += "0400" "0300";     // 1024 × 768
    b += "0000";            // no images
    b += "0001";            // one page
    b += "01" "00";         // record version 1, type 0
    b += "800c" + QByteArray("P\0A\0G\0E\0-\0" "0\0", 12);
    b += "00000000" "00000000" "00000400" "00000300";
    b += "ffffff";          // white background
    b += "0000" "0001";     // runtime value 0, runtime flag 1
    b += "0000";            // no interlock groups
    b += "0000";            // no controls
    return b;
}

struct Fixture {
    TestFolder dir;
    HeadlessMainDelegate delegate;

    std::unique_ptr<ProjectData> NewProject(const QString& folderName, int w = 1024, int h = 768)
    {
        auto p = std::make_unique<ProjectData>();
        p->mainDelegate = &delegate;
        p->folder = dir.Path(folderName);
        p->screen = {QStringLiteral("CUSTOM"), w, h};
        QDir().mkpath(p->folder);
        return p;
    }

    std::unique_ptr<ProjectData> Load(const QString& path, QString* message = nullptr)
    {
        auto p = std::make_unique<ProjectData>();
        p->mainDelegate = &delegate;
        QString m;
        const bool ok = p->LoadProjectFile(path, m);
        if (message)
            *message = m;
        return ok ? std::move(p) : nullptr;
    }
};

} // namespace

TEST(ProjectFile, NewProjectWithOnePageMatchesTheHandWrittenFile)
{
    Fixture fx;
    auto project = fx.NewProject(QStringLiteral("Demo"));
    ASSERT_EQ(project->NextPageName(TypeRegistry::kPage), QStringLiteral("PAGE-0"));
    ASSERT_NE(project->NewPage(TypeRegistry::kPage, project->NextPageName(TypeRegistry::kPage)), nullptr);
    ASSERT_TRUE(project->SaveProjectFile());
    EXPECT_EQ(fx.dir.Read(QStringLiteral("Demo/Demo.mvl")), HandWrittenProject());
    for (const char* sub : {"PHOTO", "VIDEO", "PHOTO/TEXTPHOTO"})
        EXPECT_TRUE(QFileInfo(fx.dir.Path(QStringLiteral("Demo/") + QLatin1String(sub))).isDir()) << sub;
}

TEST(ProjectFile, TheHandWrittenFileLoadsAndSavesBackUnchanged)
{
    Fixture fx;
    ASSERT_TRUE(fx.dir.Write(QStringLiteral("Hall/Hall.mvl"), HandWrittenProject()));
    auto project = fx.Load(fx.dir.Path(QStringLiteral("Hall/Hall.mvl")));
    ASSERT_TRUE(project);
    EXPECT_EQ(project->folder, fx.dir.Path(QStringLiteral("Hall")));
    EXPECT_EQ(project->screen.width, 1024);
    EXPECT_EQ(project->screen.height, 768);
    EXPECT_TRUE(project->screen.name.isEmpty());
    EXPECT_EQ(project->loadedHeader.buildVersion, QStringLiteral("3.8.2"));
    ASSERT_EQ(project->pages.size(), 1);
    EXPECT_EQ(project->pages[0]->name, QStringLiteral("PAGE-0"));
    EXPECT_EQ(project->pages[0]->runtimeFlag, 1);
    ASSERT_TRUE(project->SaveProjectFile());
    EXPECT_EQ(fx.dir.Read(QStringLiteral("Hall/Hall.mvl")), HandWrittenProject());
}

TEST(ProjectFile, PagesGroupsAndImagesRoundTrip)
{
    Fixture fx;
    auto project = fx.NewProject(QStringLiteral("Round"), 800, 480);
    ASSERT_TRUE(WriteTestPng(fx.dir.Path(QStringLiteral("logo.png")), 4, 4));
    ASSERT_TRUE(project->AddImage(fx.dir.Path(QStringLiteral("logo.png")), QStringLiteral("logo.png")));
    XPage* page = project->NewPage(TypeRegistry::kPage, QStringLiteral("大厅"));
    page->backgroundColor = MakeRgb(1, 2, 3);
    page->runtimeValue = 513;
    page->runtimeFlag = 0;
    page->AddGroup(QStringLiteral("Scenes"));
    page->AddGroup(QString());
    XPage* sub = project->NewPage(TypeRegistry::kSubPage, QStringLiteral("SUBPAGE-0"));
    sub->x2 = 300;
    sub->y2 = 200;
    ASSERT_TRUE(project->SaveProjectFile());
    const QByteArray first = fx.dir.Read(QStringLiteral("Round/Round.mvl"));

    auto loaded = fx.Load(fx.dir.Path(QStringLiteral("Round/Round.mvl")));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->images, QStringList{QStringLiteral("logo.png")});
    ASSERT_EQ(loaded->pages.size(), 2);
    EXPECT_EQ(loaded->pages[0]->name, QStringLiteral("大厅"));
    EXPECT_EQ(loaded->pages[0]->backgroundColor, MakeRgb(1, 2, 3));
    EXPECT_EQ(loaded->pages[0]->runtimeValue, 513);
    EXPECT_EQ(loaded->pages[0]->runtimeFlag, 0);
    EXPECT_EQ(loaded->pages[0]->GroupNames(), (QStringList{QStringLiteral("Scenes"), QString()}));
    EXPECT_EQ(loaded->pages[1]->GetType(), TypeRegistry::kSubPage);
    EXPECT_EQ(loaded->pages[1]->Bounds(), (IntRect{0, 0, 300, 200}));
    ASSERT_TRUE(loaded->SaveProjectFile());
    EXPECT_EQ(fx.dir.Read(QStringLiteral("Round/Round.mvl")), first);
}

TEST(ProjectFile, OldHeaderAndVersionZeroPagesAreReadAndWrittenInTheCurrentForm)
{
    Fixture fx;
    QByteArray old = "0320" "01e0" "0000" "0001";
    old += "00" "00" "8004" + QByteArray("P\0" "1\0", 4);
    old += "00000000" "00000000" "00000320" "000001e0" "102030";
    old += "0000" "0000"; // version 0: no runtime words
    ASSERT_TRUE(fx.dir.Write(QStringLiteral("Old/Old.mvl"), old));
    auto project = fx.Load(fx.dir.Path(QStringLiteral("Old/Old.mvl")));
    ASSERT_TRUE(project);
    EXPECT_EQ(project->loadedHeader.headerVersion, 0);
    EXPECT_EQ(project->screen.width, 800);
    EXPECT_EQ(project->screen.height, 480);
    ASSERT_EQ(project->pages.size(), 1);
    EXPECT_EQ(project->pages[0]->runtimeValue, 0);
    EXPECT_EQ(project->pages[0]->runtimeFlag, 1);
    EXPECT_EQ(project->pages[0]->backgroundColor, MakeRgb(0x10, 0x20, 0x30));
    ASSERT_TRUE(project->SaveProjectFile());
    const QByteArray saved = fx.dir.Read(QStringLiteral("Old/Old.mvl"));
    EXPECT_TRUE(saved.startsWith("8001800a"));
    EXPECT_TRUE(saved.contains(QByteArray("01" "00" "8004") + QByteArray("P\0" "1\0", 4)));
    EXPECT_TRUE(saved.endsWith("102030" "0000" "0001" "0000" "0000"));
}

TEST(ProjectFile, FilesFromANewerEditorAreRefusedWithTheVersionMessage)
{
    Fixture fx;
    const QString expected = TranslateFormat("391", {QStringLiteral("Marvolenta 9.1.0")});
    ASSERT_FALSE(expected.isEmpty());
    QByteArray newer = "8001" "800a" + QByteArray("9\0.\0" "1\0.\0" "0\0", 10) + "0007";
    ASSERT_TRUE(fx.dir.Write(QStringLiteral("N/N.mvl"), newer + "1234"));
    QString message;
    EXPECT_FALSE(fx.Load(fx.dir.Path(QStringLiteral("N/N.mvl")), &message));
    EXPECT_EQ(message, expected);

    QByteArray otherHeader = "8002" "800a" + QByteArray("9\0.\0" "1\0.\0" "0\0", 10);
    ASSERT_TRUE(fx.dir.Write(QStringLiteral("H/H.mvl"), otherHeader));
    EXPECT_FALSE(fx.Load(fx.dir.Path(QStringLiteral("H/H.mvl")), &message));
    EXPECT_EQ(message, expected);
}

TEST(ProjectFile, ElementsWithoutAClassOrWithAnUnknownVersionFailTheLoadWithAClearMessage)
{
    Fixture fx;
    const QByteArray head = HandWrittenProject().left(HandWrittenProject().size() - 4);
    QString message;

    // A control of a type that has no class in this build, while there is one.
    for (const ElementTypeInfo& info : TypeRegistry::All()) {
        if (info.create || info.type <= TypeRegistry::kSubPage)
            continue;
        const QByteArray type = QByteArray::number(info.type, 16).rightJustified(2, '0');
        ASSERT_TRUE(fx.dir.Write(QStringLiteral("A/A.mvl"), head + "0001" "00" + type + "8000"));
        EXPECT_FALSE(fx.Load(fx.dir.Path(QStringLiteral("A/A.mvl")), &message));
        EXPECT_EQ(message, TranslateFormat("903", {QString::number(info.type), GetTypeKey(info.type)}));
        break;
    }

    // A type number outside the registry.
    ASSERT_TRUE(fx.dir.Write(QStringLiteral("B/B.mvl"), head + "0001" "00" "63" "8000"));
    EXPECT_FALSE(fx.Load(fx.dir.Path(QStringLiteral("B/B.mvl")), &message));
    EXPECT_EQ(message, TranslateFormat("904", {QStringLiteral("99"), QString::number(head.size() + 8)}));

    // A page record of version 5.
    QByteArray v5 = HandWrittenProject();
    v5.replace(v5.indexOf("0001" "01" "00") + 4, 2, "05");
    ASSERT_TRUE(fx.dir.Write(QStringLiteral("C/C.mvl"), v5));
    EXPECT_FALSE(fx.Load(fx.dir.Path(QStringLiteral("C/C.mvl")), &message));
    EXPECT_TRUE(message.contains(QStringLiteral("PAGE"))) << message.toStdString();
}

TEST(ProjectFile, EveryTruncationAndDamagedDigitFailsCleanly)
{
    Fixture fx;
    auto project = fx.NewProject(QStringLiteral("Cut"));
    XPage* page = project->NewPage(TypeRegistry::kPage, QStringLiteral("Main"));
    page->AddGroup(QStringLiteral("G1"));
    project->NewPage(TypeRegistry::kSubPage, QStringLiteral("Pop"));
    ASSERT_TRUE(project->SaveProjectFile());
    const QByteArray good = fx.dir.Read(QStringLiteral("Cut/Cut.mvl"));
    const QString path = fx.dir.Path(QStringLiteral("Cut/Cut.mvl"));

    for (int n = 0; n < good.size(); ++n) {
        ASSERT_TRUE(fx.dir.Write(QStringLiteral("Cut/Cut.mvl"), good.left(n)));
        QString message;
        EXPECT_FALSE(fx.Load(path, &message)) << "prefix " << n;
        EXPECT_FALSE(message.isEmpty()) << "prefix " << n;
    }
    // A bad digit anywhere: either the load fails with a message or the damage fell on
    // text that any value is allowed to hold.
    for (int i = 0; i < good.size(); ++i) {
        QByteArray bad = good;
        bad[i] = 'z';
        ASSERT_TRUE(fx.dir.Write(QStringLiteral("Cut/Cut.mvl"), bad));
        QString message;
        const bool loaded = fx.Load(path, &message) != nullptr;
        EXPECT_TRUE(loaded || !message.isEmpty()) << "position " << i;
    }
}

TEST(ProjectFile, CountsLargerThanTheDataFailInsteadOfReadingOn)
{
    Fixture fx;
    QByteArray b = HandWrittenProject();
    b.replace(b.indexOf("0000" "0001" "01"), 4, "ffff"); // 65535 image names, none there
    ASSERT_TRUE(fx.dir.Write(QStringLiteral("Big/Big.mvl"), b));
    QString message;
    EXPECT_FALSE(fx.Load(fx.dir.Path(QStringLiteral("Big/Big.mvl")), &message));
    EXPECT_FALSE(message.isEmpty());
}

TEST(ProjectFile, MissingAndUnsafeImageNamesAreDroppedOnLoad)
{
    Fixture fx;
    auto project = fx.NewProject(QStringLiteral("Img"));
    project->images = {QStringLiteral("a.png"), QStringLiteral("gone.png"), QStringLiteral("../outside.png"),
                       QStringLiteral("/etc/hostname"), QStringLiteral("sub/b.png")};
    ASSERT_TRUE(WriteTestPng(fx.dir.Path(QStringLiteral("Img/PHOTO/a.png")), 2, 2));
    ASSERT_TRUE(WriteTestPng(fx.dir.Path(QStringLiteral("Img/outside.png")), 2, 2));
    ASSERT_TRUE(WriteTestPng(fx.dir.Path(QStringLiteral("Img/PHOTO/sub/b.png")), 2, 2));
    ASSERT_TRUE(project->SaveProjectFile());
    auto loaded = fx.Load(project->GetDataFilePath());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->images, QStringList{QStringLiteral("a.png")});
    EXPECT_TRUE(loaded->ImagePath(QStringLiteral("../outside.png")).isEmpty());
    EXPECT_EQ(loaded->ImagePath(QStringLiteral("a.png")), fx.dir.Path(QStringLiteral("Img/PHOTO/a.png")));
}

TEST(ProjectFile, FolderNameRulesGiveTheDataFileName)
{
    ProjectData p;
    p.folder = QStringLiteral("/x/Lobby.north");
    EXPECT_EQ(p.GetName(), QStringLiteral("Lobby"));
    EXPECT_EQ(p.GetDataFilePath(), QStringLiteral("/x/Lobby.north/Lobby.mvl"));
    EXPECT_EQ(ProjectData::NameFromFolder(QStringLiteral("/x/a.b.c/")), QStringLiteral("a.b"));
    EXPECT_EQ(ProjectData::NameFromFolder(QStringLiteral("Plain")), QStringLiteral("Plain"));
}

TEST(ProjectFile, AFolderThatCannotBeCreatedFailsTheSaveAndKeepsTheOldFile)
{
    Fixture fx;
    ScriptedUi ui;
    auto project = fx.NewProject(QStringLiteral("Keep"));
    project->NewPage(TypeRegistry::kPage, QStringLiteral("P"));
    ASSERT_TRUE(project->SaveProjectFile());
    const QByteArray before = fx.dir.Read(QStringLiteral("Keep/Keep.mvl"));
    QDir(fx.dir.Path(QStringLiteral("Keep/VIDEO"))).removeRecursively();
    ASSERT_TRUE(fx.dir.Write(QStringLiteral("Keep/VIDEO"), "a file where the folder belongs"));
    project->pages[0]->name = QStringLiteral("Changed");
    EXPECT_FALSE(project->SaveProjectFile());
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("创建工程相关数据文件夹失败!"));
    EXPECT_EQ(ui.messages[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(fx.dir.Read(QStringLiteral("Keep/Keep.mvl")), before);
}

TEST(ProjectModel, AddImageCopiesOnceAndRefusesWhatItCannotTake)
{
    Fixture fx;
    ScriptedUi ui;
    auto project = fx.NewProject(QStringLiteral("Pics"));
    const QString source = fx.dir.Path(QStringLiteral("in/photo.png"));
    ASSERT_TRUE(WriteTestPng(source, 3, 3));
    EXPECT_TRUE(project->AddImage(source, QStringLiteral("photo.png")));
    EXPECT_TRUE(project->AddImage(source, QStringLiteral("photo.png")));
    EXPECT_EQ(project->images, QStringList{QStringLiteral("photo.png")});
    EXPECT_TRUE(QFileInfo::exists(fx.dir.Path(QStringLiteral("Pics/PHOTO/photo.png"))));

    // Already in the image folder under that name: listed without copying.
    const QString inPlace = fx.dir.Path(QStringLiteral("Pics/PHOTO/here.png"));
    ASSERT_TRUE(WriteTestPng(inPlace, 2, 2));
    EXPECT_TRUE(project->AddImage(inPlace, QStringLiteral("here.png")));
    EXPECT_TRUE(project->HasImage(QStringLiteral("here.png")));
    EXPECT_TRUE(ui.messages.isEmpty());

    EXPECT_FALSE(project->AddImage(fx.dir.Path(QStringLiteral("missing.png")), QStringLiteral("missing.png")));
    EXPECT_FALSE(project->AddImage(source, QStringLiteral("../escape.png")));
    EXPECT_FALSE(QFileInfo::exists(fx.dir.Path(QStringLiteral("Pics/escape.png"))));
    ASSERT_EQ(ui.messages.size(), 2);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("复制该图片到工程图片目录出错!请重新选择!"));
    EXPECT_EQ(project->images.size(), 2);
}

TEST(ProjectModel, PagesAreNamedMovedResizedAndDeleted)
{
    Fixture fx;
    auto project = fx.NewProject(QStringLiteral("Pages"));
    EXPECT_EQ(project->NextPageName(TypeRegistry::kSubPage), QStringLiteral("SUBPAGE-0"));
    XPage* a = project->NewPage(TypeRegistry::kPage, QStringLiteral("PAGE-0"));
    XPage* b = project->NewPage(TypeRegistry::kPage, QStringLiteral("PAGE-1"));
    XPage* s = project->NewPage(TypeRegistry::kSubPage, QStringLiteral("SUBPAGE-0"));
    EXPECT_EQ(a->Bounds(), (IntRect{0, 0, 1024, 768}));
    EXPECT_EQ(a->page, a);
    EXPECT_EQ(project->NextPageName(TypeRegistry::kPage), QStringLiteral("PAGE-2"));
    EXPECT_EQ(project->FindPage(QStringLiteral("SUBPAGE-0")), s);
    EXPECT_EQ(project->FindPage(QStringLiteral("page-0")), nullptr); // exact comparison

    EXPECT_TRUE(project->MovePageAfter(a, b));
    EXPECT_EQ(project->pages, (QList<XPage*>{b, a, s}));

    project->Resize(800, 600);
    EXPECT_EQ(a->Bounds(), (IntRect{0, 0, 800, 600}));
    EXPECT_EQ(s->Bounds(), (IntRect{0, 0, 800, 600}));

    project->DeletePage(b);
    EXPECT_EQ(project->pages, (QList<XPage*>{a, s}));
    EXPECT_EQ(project->NextPageName(TypeRegistry::kPage), QStringLiteral("PAGE-1"));
    XPage foreign;
    project->DeletePage(&foreign); // not in the project: nothing happens
    EXPECT_EQ(project->pages.size(), 2);
}

TEST(ProjectModel, RenamingAPageChecksTheProjectsNames)
{
    Fixture fx;
    ScriptedUi ui;
    auto project = fx.NewProject(QStringLiteral("Names"));
    XPage* a = project->NewPage(TypeRegistry::kPage, QStringLiteral("Main"));
    project->NewPage(TypeRegistry::kSubPage, QStringLiteral("Pop"));
    EXPECT_FALSE(a->Rename(QString()));
    EXPECT_FALSE(a->Rename(QStringLiteral("NONE")));
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_FALSE(a->Rename(QStringLiteral("Pop")));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("73"));
    EXPECT_TRUE(a->Rename(QStringLiteral("pop")));
    EXPECT_EQ(a->name, QStringLiteral("pop"));
}

TEST(ProjectFile, SavingAFileOpenedUnderAnotherNameNeverOverwritesTheFoldersOwnFile)
{
    Fixture fx;
    ScriptedUi ui;
    ASSERT_TRUE(fx.dir.Write(QStringLiteral("Foo/Bar.mvl"), HandWrittenProject()));
    ASSERT_TRUE(fx.dir.Write(QStringLiteral("Foo/Foo.mvl"), "another project"));
    auto project = fx.Load(fx.dir.Path(QStringLiteral("Foo/Bar.mvl")));
    ASSERT_TRUE(project);
    EXPECT_FALSE(project->SaveProjectFile());
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].text.contains(fx.dir.Path(QStringLiteral("Foo/Foo.mvl"))));
    EXPECT_EQ(fx.dir.Read(QStringLiteral("Foo/Foo.mvl")), QByteArray("another project"));

    // Without a file of the folder's name the save goes there as usual.
    QFile::remove(fx.dir.Path(QStringLiteral("Foo/Foo.mvl")));
    EXPECT_TRUE(project->SaveProjectFile());
    EXPECT_EQ(fx.dir.Read(QStringLiteral("Foo/Foo.mvl")), HandWrittenProject());
    EXPECT_TRUE(project->SaveProjectFile()); // and again, now that it is there
}
