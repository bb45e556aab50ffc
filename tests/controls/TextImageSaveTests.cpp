// Saving text images: only what changed is written, what went missing is written again,
// and a save that cannot write a file says which, keeps the old file and never reports
// success.

#include "ControlFixture.h"

#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/XFontButton.h"
#include "controls/XFontText.h"
#include "model/MyFile.h"
#include "model/TypeRegistry.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <functional>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Which version of a file is on the disk: a file replaced or rewritten has another.
struct Version {
    ino_t inode = 0;
    qint64 modifiedNs = -1;
    bool operator==(const Version& o) const { return inode == o.inode && modifiedNs == o.modifiedNs; }
};

Version VersionOf(const QString& path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {st.st_ino, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Files bigger than the limit cannot be written while it lives (as on a full disk).
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~ScopedFileSizeLimit()
    {
        if (active)
            setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    bool active = false;

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

} // namespace

class TextImageSaveTest : public ControlFixture {
protected:
    void SetUp() override { AddControls(); }

    // Two font texts and a font button (two images) on the page "Main".
    void AddControls()
    {
        // Named fonts: an empty name is filled in by the first save, which would change
        // the records of the second.
        const QString font = ApplicationFontName();
        title = Add<XFontText>();
        title->fontName = font;
        title->name = QStringLiteral("Title");
        title->text = QStringLiteral("Hall");
        title->NormalizeBounds();
        note = Add<XFontText>();
        note->fontName = font;
        note->name = QStringLiteral("Note");
        note->text = QStringLiteral("Open daily");
        note->NormalizeBounds();
        go = Add<XFontButton>(10, 100, 120, 40);
        go->fontName = font;
        go->name = QStringLiteral("Go");
        go->text = QStringLiteral("Go");
    }

    // The text images and the data file.
    QString PathOf(const QString& file) const
    {
        return file == kData ? project.GetDataFilePath() : TextImagePath(file);
    }
    std::map<QString, Version> Versions() const
    {
        std::map<QString, Version> v;
        for (const QString& f : kFiles)
            v[f] = VersionOf(PathOf(f));
        return v;
    }

    const QString kData = QStringLiteral("data file");
    const QStringList kFiles{QStringLiteral("Main_Title.png"), QStringLiteral("Main_Note.png"),
                             QStringLiteral("Main_Go.png"), QStringLiteral("Main_Go_1.png"), kData};
    XFontText* title = nullptr;
    XFontText* note = nullptr;
    XFontButton* go = nullptr;
};

TEST_F(TextImageSaveTest, OnlyChangedOrMissingImagesAreWritten)
{
    ASSERT_TRUE(project.SaveProjectFile());
    struct Step {
        const char* what;
        std::function<void()> change;
        QStringList written;
        bool reload = false; // saved by the project loaded again, as mvltool resave does
    };
    const std::vector<Step> steps = {
        {"nothing changed", [] {}, {}},
        {"a text changed", [&] { title->SetText(QStringLiteral("Lobby")); }, {QStringLiteral("Main_Title.png"), kData}},
        {"the pressed colour changed", [&] { go->pressedTextColor = MakeRgb(0, 200, 0); },
         {QStringLiteral("Main_Go_1.png"), kData}},
        {"an image deleted behind the editor's back",
         [&] { ASSERT_TRUE(QFile::remove(TextImagePath(QStringLiteral("Main_Note.png")))); },
         {QStringLiteral("Main_Note.png")}},
        {"an image overwritten behind the editor's back",
         [&] {
             QFile f(TextImagePath(QStringLiteral("Main_Go.png")));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("not a picture");
         },
         {QStringLiteral("Main_Go.png")}},
        {"the same project loaded again", [] {}, {}, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const std::map<QString, Version> before = Versions();
        step.change();
        if (step.reload) {
            std::unique_ptr<ProjectData> loaded = SaveAndReload();
            ASSERT_TRUE(loaded->SaveProjectFile());
        } else {
            ASSERT_TRUE(project.SaveProjectFile());
        }
        const std::map<QString, Version> after = Versions();
        for (const QString& f : kFiles) {
            SCOPED_TRACE(f.toStdString());
            EXPECT_EQ(after.at(f) == before.at(f), !step.written.contains(f));
            EXPECT_TRUE(f == kData || !QImage(PathOf(f)).isNull());
        }
    }
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(QImage(TextImagePath(QStringLiteral("Main_Title.png"))).size(),
              QSize(title->Bounds().Width(), title->Bounds().Height()));
}

TEST_F(TextImageSaveTest, AFailedWriteNamesTheFileKeepsTheOldOneAndFailsTheSave)
{
    struct Case {
        const char* what;
        std::function<void()> arrange;
        rlim_t fileSizeLimit; // 0: none
        QString failing;      // the text image named in the one message; empty: the data file
    };
    const QString longPage(300, u'x');
    const std::vector<Case> cases = {
        {"a page name too long for a file name",
         [&] {
             XPage* other = project.NewPage(TypeRegistry::kPage, longPage);
             for (const char* name : {"A", "B", "C"}) {
                 auto* t = Add<XFontText>(other, 0, 0, 0, 0);
                 t->name = QString::fromLatin1(name);
                 t->NormalizeBounds();
             }
         },
         0, longPage + QStringLiteral("_A.png")},
        {"a folder where an image goes",
         [&] {
             const QString image = TextImagePath(QStringLiteral("Main_Note.png"));
             ASSERT_TRUE(QFile::remove(image) && QDir().mkpath(image));
         },
         0,
         QStringLiteral("Main_Note.png")},
        {"a disk that takes the data file but not a big image",
         [&] {
             title->fontSize = 300;
             title->SetText(QStringLiteral("WWWWWWWW"));
         },
         4096, QStringLiteral("Main_Title.png")},
        {"a disk that takes no data file", [&] { note->SetText(QStringLiteral("Closed")); }, 64, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A fresh page of controls in a fresh folder.
        while (!project.pages.isEmpty())
            project.DeletePage(project.pages.front());
        project.folder = dir.Path(QString::fromLatin1(c.what).replace(u' ', u'_'));
        page = project.NewPage(TypeRegistry::kPage, QStringLiteral("Main"));
        AddControls();
        ASSERT_TRUE(project.SaveProjectFile());
        const QByteArray oldData = ReadAll(project.GetDataFilePath());
        const QByteArray oldTitle = ReadAll(TextImagePath(QStringLiteral("Main_Title.png")));
        const QByteArray oldNote = ReadAll(TextImagePath(QStringLiteral("Main_Note.png")));
        c.arrange();
        project.MarkModified();
        ui.messages.clear();
        bool saved = true;
        {
            ScopedFileSizeLimit limit(c.fileSizeLimit ? c.fileSizeLimit : RLIM_INFINITY);
            ASSERT_TRUE(limit.active);
            saved = project.SaveProjectFile();
        }
        EXPECT_FALSE(saved);
        EXPECT_TRUE(project.IsModified()) << "the work still counts as unsaved";
        EXPECT_TRUE(ui.messages.isEmpty()) << "the caller shows the one message";
        const QString failure = project.SaveFailureText();
        if (c.failing.isEmpty()) {
            EXPECT_TRUE(failure.isEmpty()) << "the general save failure is shown";
            EXPECT_EQ(ReadAll(project.GetDataFilePath()), oldData) << "the old data file stays";
            EXPECT_EQ(ReadAll(TextImagePath(QStringLiteral("Main_Note.png"))), oldNote)
                << "no image is replaced without its records";
        } else {
            EXPECT_TRUE(failure.contains(c.failing)) << failure.toStdString();
            EXPECT_EQ(failure.count(QStringLiteral(".png")), 1) << failure.toStdString();
            MyFile records;
            records.OpenWriteMemory();
            ASSERT_TRUE(project.WriteRecords(records, nullptr));
            EXPECT_EQ(ReadAll(project.GetDataFilePath()), records.Written()) << "the records are saved";
        }
        if (c.fileSizeLimit) {
            EXPECT_EQ(ReadAll(TextImagePath(QStringLiteral("Main_Title.png"))), oldTitle)
                << "the old image stays";
        }
        EXPECT_TRUE(QDir(project.GetTextImageFolder()).entryList({QStringLiteral(".save-*")}, QDir::Hidden | QDir::Files).isEmpty())
            << "no temporary file is left behind";
        // Once the obstacle is gone the next save writes everything.
        if (!c.fileSizeLimit && c.failing != longPage + QStringLiteral("_A.png")) {
            QDir(TextImagePath(c.failing)).removeRecursively();
            EXPECT_TRUE(project.SaveProjectFile());
            EXPECT_FALSE(QImage(TextImagePath(c.failing)).isNull());
        }
        if (c.fileSizeLimit) {
            EXPECT_TRUE(project.SaveProjectFile());
            EXPECT_FALSE(project.IsModified());
        }
    }
}
