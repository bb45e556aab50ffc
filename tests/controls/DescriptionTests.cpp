// The project's JSON description as a way in: every element type in every record version
// its class reads comes back byte for byte, which holds the field tables to the whole
// record; and what an import refuses, with the place it names.

#include "ControlFixture.h"

#include "base/FileUtil.h"
#include "base/Translation.h"
#include "model/FieldTable.h"
#include "model/MyFile.h"
#include "model/ProjectDescription.h"
#include "model/TypeRegistry.h"

#include <QFile>
#include <QJsonArray>

#include <functional>

namespace {

const QString kPages = QStringLiteral("pages");
const QString kControls = QStringLiteral("controls");

bool Described(const FieldRow& row, int version)
{
    return !row.Has(FieldFlag::NotStored) && row.encoding != FieldEncoding::Constant && row.InVersion(version);
}

// A record of an older version, item by item as the table lists that version, with the
// element's values. Lists keep their present layout except where it changed: screens
// before version 5 had no address groups; version 0 of the video platform held two
// strings since dropped.
QByteArray OlderRecord(const XControl& e, int version)
{
    MyFile f;
    f.OpenWriteMemory();
    f.WriteByte(version);
    f.WriteByte(e.GetType());
    for (const FieldRow& row : e.Fields()->Rows()) {
        if (row.Has(FieldFlag::NotStored) || !row.InVersion(version))
            continue;
        const QLatin1String name(row.name);
        if (name == QLatin1String("screens") && version < 5) {
            QJsonObject o;
            row.describe(e, o);
            for (const QJsonValue& s : o.value(name).toArray()) {
                f.WriteString(s[QStringLiteral("ipAddress")].toString());
                f.WriteWord(s[QStringLiteral("horizontalResolution")].toInt());
                f.WriteWord(s[QStringLiteral("verticalResolution")].toInt());
            }
        } else if (row.encoding == FieldEncoding::Custom) {
            if (row.save) {
                row.save(e, f);
            } else {
                f.WriteString(QString());
                f.WriteString(QString());
            }
        } else if (row.encoding == FieldEncoding::Constant) {
            f.WriteWord(static_cast<int>(row.constant));
        } else if (row.IsText()) {
            f.WriteString(row.getText(e));
        } else if (row.encoding == FieldEncoding::Byte) {
            f.WriteByte(static_cast<int>(row.getInt(e)));
        } else if (row.encoding == FieldEncoding::Word) {
            f.WriteWord(static_cast<int>(row.getInt(e)));
        } else if (row.encoding == FieldEncoding::Dword) {
            f.WriteDword(static_cast<qint32>(row.getInt(e)));
        } else {
            f.WriteColor(static_cast<COLORREF>(row.getInt(e)));
        }
    }
    return f.Written();
}

// The data file a save of the project writes into another folder.
QByteArray DataFile(ProjectData& p, const QString& folder)
{
    const QString own = p.folder;
    p.folder = folder;
    EXPECT_TRUE(p.SaveProjectFile());
    QFile file(p.GetDataFilePath());
    p.folder = own;
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The description with one value of an element replaced (undefined: removed); control
// -1 is the page itself.
QJsonObject WithField(QJsonObject root, int page, int control, const QString& key, const QJsonValue& value)
{
    QJsonArray pages = root.value(kPages).toArray();
    QJsonObject p = pages.at(page).toObject();
    QJsonArray controls = p.value(kControls).toArray();
    QJsonObject target = control < 0 ? p : controls.at(control).toObject();
    if (value.isUndefined())
        target.remove(key);
    else
        target.insert(key, value);
    if (control < 0) {
        p = target;
    } else {
        controls[control] = target;
        p.insert(kControls, controls);
    }
    pages[page] = p;
    root.insert(kPages, pages);
    return root;
}

QJsonValue FieldOf(const QJsonObject& root, int page, int control, const QString& key)
{
    const QJsonObject p = root.value(kPages).toArray().at(page).toObject();
    return (control < 0 ? p : p.value(kControls).toArray().at(control).toObject()).value(key);
}

} // namespace

class DescriptionTest : public ControlFixture {
protected:
    // The project built from a description, or null with the refusal in problem.
    std::unique_ptr<ProjectData> Built(const QJsonObject& description, QString& problem)
    {
        auto built = std::make_unique<ProjectData>();
        built->mainDelegate = &reloadDelegate;
        problem.clear();
        if (!ProjectDescription::Build(description, *built, problem))
            return nullptr;
        return built;
    }

    // The demo project, loaded from a copy of its folder.
    std::unique_ptr<ProjectData> Demo()
    {
        const QString copy = dir.Path(QStringLiteral("Lobby"));
        EXPECT_TRUE(FileUtil::CopyFolder(QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby"), copy));
        auto demo = std::make_unique<ProjectData>();
        demo->mainDelegate = &delegate;
        QString message;
        EXPECT_TRUE(demo->LoadProjectFile(copy + QStringLiteral("/Lobby.mvl"), message)) << message.toStdString();
        return demo;
    }
};

TEST_F(DescriptionTest, EveryTypeAndRecordVersionComesBackByteForByte)
{
    AddProjectImage(QStringLiteral("a.png"), 8, 8);
    int cases = 0;
    for (const ElementTypeInfo& info : TypeRegistry::All()) {
        if (!info.create)
            continue;
        std::unique_ptr<XControl> sample(info.create());
        const FieldTable* table = sample->Fields();
        ASSERT_NE(table, nullptr) << info.key;
        const bool isPage = dynamic_cast<XPage*>(sample.get()) != nullptr;
        sample->projectData = &project;
        sample->name = QStringLiteral("Sample");
        sample->SetBounds({10, 20, 330, 260});
        // Values of its own in every text and picture; references stay as a new element has them.
        for (const FieldRow& row : table->Rows()) {
            if (!Described(row, table->CurrentVersion()) || !row.setText || row.Has(FieldFlag::Reference)
                || row.Has(FieldFlag::Identity))
                continue;
            row.setText(*sample, row.Has(FieldFlag::Image) ? QStringLiteral("a.png") : QStringLiteral("T %1").arg(row.name));
        }
        for (int version = table->OldestVersion(); version <= table->CurrentVersion(); ++version) {
            SCOPED_TRACE(QStringLiteral("%1 version %2").arg(QLatin1String(info.key)).arg(version).toStdString());
            XControl* loaded = Read(OlderRecord(*sample, version), isPage ? nullptr : page);
            ASSERT_NE(loaded, nullptr);
            if (isPage) {
                loaded->page = static_cast<XPage*>(loaded);
                project.pages.append(static_cast<XPage*>(loaded));
            } else {
                page->controls.append(loaded);
            }
            const QJsonObject description = ProjectDescription::Describe(project);
            const QByteArray saved = DataFile(project, dir.Path(QStringLiteral("Saved")));
            QString problem;
            std::unique_ptr<ProjectData> built = Built(description, problem);
            ASSERT_NE(built, nullptr) << problem.toStdString();
            EXPECT_EQ(DataFile(*built, dir.Path(QStringLiteral("Built"))), saved);

            // Each field taken from the description is the one the element gets.
            const int at = isPage ? 1 : 0;
            const int control = isPage ? -1 : 0;
            for (const FieldRow& row : table->Rows()) {
                if (version != table->CurrentVersion() || !Described(row, version) || row.take
                    || row.Has(FieldFlag::Reference))
                    continue;
                const QString key = QLatin1String(row.name);
                const QJsonValue now = FieldOf(description, at, control, key);
                const QJsonValue others[] = {
                    now.isString() ? QJsonValue(QStringLiteral("Zz")) : QJsonValue(now.toInteger() + 1),
                    QJsonValue(now.toInteger() - 1)};
                // Rows and columns may be refused for the list that has to match them.
                bool taken = false;
                bool coupled = false;
                for (const QJsonValue& other : others) {
                    const QJsonObject edited = WithField(description, at, control, key, other);
                    if (std::unique_ptr<ProjectData> b = Built(edited, problem)) {
                        EXPECT_EQ(ProjectDescription::Describe(*b), edited) << row.name;
                        taken = true;
                        break;
                    }
                    coupled = coupled || !problem.contains(u'.' + key + u':');
                }
                EXPECT_TRUE(taken || coupled) << problem.toStdString();
            }
            if (isPage)
                delete project.pages.takeLast();
            else
                delete page->controls.takeLast();
            ++cases;
        }
    }
    EXPECT_EQ(cases, 62); // 38 types and the 24 older record versions their classes read

    std::unique_ptr<ProjectData> demo = Demo();
    const QByteArray saved = DataFile(*demo, dir.Path(QStringLiteral("DemoSaved")));
    QString problem;
    std::unique_ptr<ProjectData> built = Built(ProjectDescription::Describe(*demo), problem);
    ASSERT_NE(built, nullptr) << problem.toStdString();
    EXPECT_EQ(DataFile(*built, dir.Path(QStringLiteral("DemoBuilt"))), saved);
}

TEST_F(DescriptionTest, RefusalsNameThePlaceInTheDescription)
{
    Translation::SetLanguage(2);
    std::unique_ptr<ProjectData> demo = Demo();
    const QJsonObject d = ProjectDescription::Describe(*demo);
    QString problem;
    ASSERT_NE(Built(d, problem), nullptr) << problem.toStdString();

    const QJsonValue none = QJsonValue::Undefined;
    QJsonObject noType = WithField(WithField(d, 0, 3, QStringLiteral("type"), none), 0, 3, QStringLiteral("typeKey"), none);
    QJsonObject oddScreen = WithField(d, 5, 4, QStringLiteral("screens"), [&] {
        QJsonArray screens = FieldOf(d, 5, 4, QStringLiteral("screens")).toArray();
        QJsonObject first = screens.at(0).toObject();
        first.insert(QStringLiteral("colour"), 1);
        screens[0] = first;
        return screens;
    }());
    QJsonArray threeChannels = FieldOf(d, 5, 6, QStringLiteral("channels")).toArray();
    threeChannels.removeLast();
    QJsonObject badImages = d;
    badImages.insert(QStringLiteral("images"), QJsonArray{QStringLiteral("../x.png")});
    QJsonObject textWidth = d;
    textWidth.insert(QStringLiteral("width"), QStringLiteral("1024"));
    QJsonObject narrow = d;
    narrow.insert(QStringLiteral("width"), 100);
    QJsonObject numberPage = d;
    numberPage.insert(kPages, [&] {
        QJsonArray pages = d.value(kPages).toArray();
        pages[2] = 5;
        return pages;
    }());

    const struct {
        const char* what;
        QJsonObject description;
        const char* message;
    } rows[] = {
        {"a value outside its range", WithField(d, 1, 6, QStringLiteral("sendCode"), 4001),
         "pages[1].controls[6].sendCode: 4001 is outside 0 to 4000"},
        {"a choice outside its options", WithField(d, 0, 6, QStringLiteral("imageMode"), 7),
         "pages[0].controls[6].imageMode: 7 is outside 0 to 1"},
        {"a project size outside its range", narrow, "width: 100 is outside 200 to 5000"},
        {"an unknown field", WithField(d, 0, 0, QStringLiteral("shadow"), 1), "pages[0].controls[0].shadow: unknown field"},
        {"an unknown field in a list", oddScreen, "pages[5].controls[4].screens[0].colour: unknown field"},
        {"an unknown type", WithField(WithField(d, 0, 0, QStringLiteral("type"), none), 0, 0, QStringLiteral("typeKey"),
                                      QStringLiteral("SPINNER")),
         "pages[0].controls[0].typeKey: SPINNER is not an element type"},
        {"a type key of another type", WithField(d, 0, 0, QStringLiteral("typeKey"), QStringLiteral("BUTTON")),
         "pages[0].controls[0].typeKey: BUTTON is not the key of type 5"},
        {"a control among the pages", WithField(WithField(d, 1, -1, QStringLiteral("type"), 6), 1, -1,
                                                QStringLiteral("typeKey"), none),
         "pages[1].type: only pages and sub-pages stand here, not BUTTON"},
        {"a page among the controls", WithField(WithField(d, 0, 0, QStringLiteral("type"), 0), 0, 0,
                                                QStringLiteral("typeKey"), none),
         "pages[0].controls[0].type: a page or sub-page cannot stand among the controls"},
        {"a missing name", WithField(d, 3, -1, QStringLiteral("name"), none),
         "pages[3].name: missing; this field is required"},
        {"a missing type", noType, "pages[0].controls[3].type: missing; this field is required"},
        {"a missing position", WithField(d, 2, 4, QStringLiteral("y2"), none),
         "pages[2].controls[4].y2: missing; this field is required"},
        {"a number given as text", textWidth, "width: must be a whole number"},
        {"a fraction", WithField(d, 0, 0, QStringLiteral("x1"), 1.5),
         "pages[0].controls[0].x1: must be a whole number"},
        {"a number for a text", WithField(d, 0, 2, QStringLiteral("text"), 7),
         "pages[0].controls[2].text: must be a text"},
        {"a text longer than a file holds", WithField(d, 0, 2, QStringLiteral("text"), QString(2048, u'x')),
         "pages[0].controls[2].text: a text of 2048 characters is longer than the 2047 a project file holds"},
        {"a name given twice", WithField(d, 0, 1, QStringLiteral("name"), QStringLiteral("Backdrop")),
         "pages[0].controls[1].name: the name Backdrop is given twice"},
        {"a page named NONE", WithField(d, 4, -1, QStringLiteral("name"), QStringLiteral("NONE")),
         "pages[4].name: \"NONE\" cannot name a page or sub-page"},
        {"a list of the wrong length", WithField(d, 5, 6, QStringLiteral("channels"), threeChannels),
         "pages[5].controls[6].channels: 3 entries, but the rows and columns make 4"},
        {"a list given as a text", WithField(d, 0, -1, QStringLiteral("interlockGroups"), QStringLiteral("Scenes")),
         "pages[0].interlockGroups: must be a list"},
        {"a page that is not an object", numberPage, "pages[2]: must be an object"},
        {"an image outside the image folder", badImages, "images[0]: ../x.png is not a plain file name"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        auto built = std::make_unique<ProjectData>();
        built->mainDelegate = &reloadDelegate;
        EXPECT_FALSE(ProjectDescription::Build(row.description, *built, problem));
        EXPECT_EQ(problem.toStdString(), row.message);
        EXPECT_TRUE(built->pages.isEmpty() && built->images.isEmpty());
    }
    Translation::SetLanguage(0);
}
