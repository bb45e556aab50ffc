#include "base/FileUtil.h"
#include "support/TestFolders.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int status;
    QByteArray out;
    QByteArray err;
};

ToolRun Tool(const QStringList& args)
{
    QProcess p;
    p.start(qEnvironmentVariable("MVLTOOL", QStringLiteral(MVL_BIN_DIR "/mvltool")), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

TEST(MvlTool, NewInfoAndResaveWorkTogether)
{
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Hall.v2"));
    ToolRun created = Tool({QStringLiteral("new"), folder, QStringLiteral("1280"), QStringLiteral("800")});
    ASSERT_EQ(created.status, 0) << created.err.toStdString();
    const QString file = folder + QStringLiteral("/Hall.mvl");
    EXPECT_EQ(created.out.trimmed(), file.toUtf8());
    const QByteArray before = dir.Read(QStringLiteral("Hall.v2/Hall.mvl"));

    ToolRun info = Tool({QStringLiteral("info"), file});
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(info.out).object();
    EXPECT_EQ(root.value(QStringLiteral("headerVersion")).toInt(), 1);
    EXPECT_EQ(root.value(QStringLiteral("buildVersion")).toString(), QStringLiteral("3.8.2"));
    EXPECT_EQ(root.value(QStringLiteral("dataVersion")).toInt(), 6);
    EXPECT_EQ(root.value(QStringLiteral("width")).toInt(), 1280);
    EXPECT_EQ(root.value(QStringLiteral("height")).toInt(), 800);
    EXPECT_TRUE(root.value(QStringLiteral("images")).toArray().isEmpty());
    EXPECT_TRUE(root.value(QStringLiteral("pages")).toArray().isEmpty());

    ToolRun resaved = Tool({QStringLiteral("resave"), file});
    ASSERT_EQ(resaved.status, 0) << resaved.err.toStdString();
    EXPECT_EQ(dir.Read(QStringLiteral("Hall.v2/Hall.mvl")), before);
}

TEST(MvlTool, FailuresExitWithStatusOneAndAReasonUsageErrorsWithTwo)
{
    TestFolder dir;
    ASSERT_TRUE(dir.Write(QStringLiteral("Bad/Bad.mvl"), "8001800a"));
    ToolRun info = Tool({QStringLiteral("info"), dir.Path(QStringLiteral("Bad/Bad.mvl"))});
    EXPECT_EQ(info.status, 1);
    EXPECT_TRUE(info.out.isEmpty());
    EXPECT_TRUE(info.err.contains("8")) << info.err.toStdString(); // names the offset

    ToolRun missing = Tool({QStringLiteral("resave"), dir.Path(QStringLiteral("none.mvl"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(missing.err.isEmpty());

    ToolRun tooSmall = Tool({QStringLiteral("new"), dir.Path(QStringLiteral("S")), QStringLiteral("199"), QStringLiteral("600")});
    EXPECT_EQ(tooSmall.status, 2);
    EXPECT_FALSE(tooSmall.err.isEmpty());

    // A project already there is never replaced; a folder whose name is hidden (its data
    // file would be too, and packing leaves it out) is refused as the dialog refuses it.
    for (const QString& target : {dir.Path(QStringLiteral("Bad")), dir.Path(QStringLiteral(".hidden"))}) {
        ToolRun refused = Tool({QStringLiteral("new"), target, QStringLiteral("800"), QStringLiteral("600")});
        EXPECT_EQ(refused.status, 1) << target.toStdString();
        EXPECT_TRUE(refused.err.contains(target.toUtf8())) << refused.err.toStdString();
    }
    EXPECT_EQ(dir.Read(QStringLiteral("Bad/Bad.mvl")), QByteArray("8001800a"));
    EXPECT_FALSE(QFileInfo::exists(dir.Path(QStringLiteral(".hidden"))));

    EXPECT_EQ(Tool({QStringLiteral("frobnicate")}).status, 2);
}

namespace {

const QString kDemo = QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby/Lobby.mvl");

// The demo's description with a few changes, as a room made from it would have.
QJsonObject RoomFromDemo(const QJsonObject& demo)
{
    QJsonArray pages = demo.value(QStringLiteral("pages")).toArray();
    QJsonObject lobby = pages.at(0).toObject();
    QJsonArray controls = lobby.value(QStringLiteral("controls")).toArray();
    QJsonObject scene = controls.at(6).toObject();
    scene.insert(QStringLiteral("sendCode"), 101);
    controls[6] = scene;
    controls.removeAt(20); // the footer
    lobby.insert(QStringLiteral("controls"), controls);
    pages[0] = lobby;
    QJsonObject video = pages.at(5).toObject();
    QJsonArray videoControls = video.value(QStringLiteral("controls")).toArray();
    QJsonObject cameras = videoControls.at(6).toObject();
    QJsonArray channels = cameras.value(QStringLiteral("channels")).toArray();
    QJsonObject first = channels.at(0).toObject();
    first.insert(QStringLiteral("hdAddress"), QStringLiteral("rtsp://192.168.11.101:554/1080"));
    channels[0] = first;
    cameras.insert(QStringLiteral("channels"), channels);
    videoControls[6] = cameras;
    video.insert(QStringLiteral("controls"), videoControls);
    pages[5] = video;
    QJsonObject spare = pages.at(4).toObject();
    spare.insert(QStringLiteral("name"), QStringLiteral("Spare"));
    pages.append(spare);
    QJsonObject room = demo;
    room.insert(QStringLiteral("pages"), pages);
    return room;
}

} // namespace

TEST(MvlTool, ImportWritesOnlyWhatLoadsBack)
{
    TestFolder dir;
    const ToolRun info = Tool({QStringLiteral("info"), kDemo});
    ASSERT_EQ(info.status, 0);
    const QString description = dir.Path(QStringLiteral("Rooms/Room.json"));
    const QString folder = dir.Path(QStringLiteral("Room"));
    const QString file = folder + QStringLiteral("/Room.mvl");
    ASSERT_TRUE(dir.Write(QStringLiteral("Rooms/Room.json"), info.out));

    // Without the pictures beside it: a warning for each, and the project all the same.
    ToolRun bare = Tool({QStringLiteral("import"), description, folder});
    ASSERT_EQ(bare.status, 0) << bare.err.toStdString();
    EXPECT_EQ(bare.out.trimmed(), file.toUtf8());
    EXPECT_EQ(bare.err.count('\n'), 15) << bare.err.toStdString();
    EXPECT_TRUE(bare.err.contains("Rooms/PHOTO/backdrop.png")) << bare.err.toStdString();

    // An existing project is replaced only when asked to.
    ASSERT_TRUE(FileUtil::CopyFolder(QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby/PHOTO"),
                                     dir.Path(QStringLiteral("Rooms/PHOTO"))));
    const QByteArray first = dir.Read(QStringLiteral("Room/Room.mvl"));
    ToolRun again = Tool({QStringLiteral("import"), description, folder});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains(folder.toUtf8())) << again.err.toStdString();
    EXPECT_EQ(dir.Read(QStringLiteral("Room/Room.mvl")), first);
    ToolRun forced = Tool({QStringLiteral("import"), description, folder, QStringLiteral("--force")});
    ASSERT_EQ(forced.status, 0) << forced.err.toStdString();
    EXPECT_TRUE(forced.err.isEmpty()) << forced.err.toStdString();
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/PHOTO/backdrop.png")).isFile());
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/PHOTO/TEXTPHOTO/Lobby_Title.png")).isFile());
    EXPECT_EQ(Tool({QStringLiteral("diff"), kDemo, file}).status, 0) << "the demo comes back as it was";
    // Replacing a project keeps the pictures it has when none lie beside the description.
    ASSERT_TRUE(dir.Write(QStringLiteral("Elsewhere/Room.json"), info.out));
    ToolRun replaced = Tool({QStringLiteral("import"), dir.Path(QStringLiteral("Elsewhere/Room.json")), folder,
                             QStringLiteral("--force")});
    EXPECT_EQ(replaced.status, 0);
    EXPECT_TRUE(replaced.err.isEmpty()) << replaced.err.toStdString();

    // A refused description writes nothing.
    QJsonObject bad = QJsonDocument::fromJson(info.out).object();
    bad.insert(QStringLiteral("height"), 5001);
    ASSERT_TRUE(dir.Write(QStringLiteral("Rooms/Bad.json"), QJsonDocument(bad).toJson()));
    ASSERT_TRUE(dir.Write(QStringLiteral("Rooms/Broken.json"), info.out.left(info.out.size() / 2)));
    for (const char* name : {"Bad", "Broken"}) {
        SCOPED_TRACE(name);
        const ToolRun refused = Tool({QStringLiteral("import"), dir.Path(QStringLiteral("Rooms/%1.json").arg(QLatin1String(name))),
                                      dir.Path(QLatin1String(name))});
        EXPECT_EQ(refused.status, 1);
        EXPECT_FALSE(refused.err.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(dir.Path(QLatin1String(name))));
    }
    EXPECT_TRUE(Tool({QStringLiteral("import"), description}).status == 2);
}

TEST(MvlTool, DiffNamesPagesElementsAndFields)
{
    TestFolder dir;
    const ToolRun info = Tool({QStringLiteral("info"), kDemo});
    ASSERT_EQ(info.status, 0);
    const QJsonObject room = RoomFromDemo(QJsonDocument::fromJson(info.out).object());
    ASSERT_TRUE(dir.Write(QStringLiteral("Room.json"), QJsonDocument(room).toJson()));
    ASSERT_TRUE(FileUtil::CopyFolder(QStringLiteral(MVL_SOURCE_DIR "/examples/Lobby/PHOTO"), dir.Path(QStringLiteral("PHOTO"))));
    const QString file = dir.Path(QStringLiteral("Room/Room.mvl"));
    ASSERT_EQ(Tool({QStringLiteral("import"), dir.Path(QStringLiteral("Room.json")), dir.Path(QStringLiteral("Room"))}).status, 0);

    const ToolRun same = Tool({QStringLiteral("diff"), kDemo, kDemo});
    EXPECT_EQ(same.status, 0);
    EXPECT_TRUE(same.out.isEmpty()) << same.out.toStdString();

    const ToolRun text = Tool({QStringLiteral("diff"), kDemo, file});
    EXPECT_EQ(text.status, 1) << text.err.toStdString();
    EXPECT_EQ(text.out.toStdString(),
              "+ Spare (PAGE)\n"
              "- Lobby / Footer (FONTTEXT)\n"
              "~ Lobby / SceneWelcome: sendCode: 1 -> 101\n"
              "~ Video / Cameras: channels[0].hdAddress: \"rtsp://192.168.1.101:554/1080\" -> "
              "\"rtsp://192.168.11.101:554/1080\"\n");

    const ToolRun json = Tool({QStringLiteral("diff"), file, kDemo, QStringLiteral("--json")});
    EXPECT_EQ(json.status, 1);
    const QJsonObject o = QJsonDocument::fromJson(json.out).object();
    EXPECT_FALSE(o.value(QStringLiteral("same")).toBool());
    const QJsonArray changes = o.value(QStringLiteral("changes")).toArray();
    ASSERT_EQ(changes.size(), 4) << json.out.toStdString();
    EXPECT_EQ(changes.at(0).toObject(), (QJsonObject{{QStringLiteral("change"), QStringLiteral("removed")},
                                                     {QStringLiteral("page"), QStringLiteral("Spare")},
                                                     {QStringLiteral("element"), QString()},
                                                     {QStringLiteral("type"), QStringLiteral("PAGE")}}));
    EXPECT_EQ(changes.at(1).toObject().value(QStringLiteral("change")).toString(), QStringLiteral("added"));
    EXPECT_EQ(changes.at(2).toObject().value(QStringLiteral("field")).toString(), QStringLiteral("sendCode"));
    EXPECT_EQ(changes.at(2).toObject().value(QStringLiteral("from")).toInt(), 101);
    EXPECT_EQ(changes.at(2).toObject().value(QStringLiteral("to")).toInt(), 1);

    ASSERT_TRUE(dir.Write(QStringLiteral("Bad/Bad.mvl"), "8001800a"));
    EXPECT_EQ(Tool({QStringLiteral("diff"), kDemo, dir.Path(QStringLiteral("Bad/Bad.mvl"))}).status, 2);
    EXPECT_EQ(Tool({QStringLiteral("diff"), kDemo}).status, 2);
}
