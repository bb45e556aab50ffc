#include "base/DialogRegistry.h"
#include "base/Translation.h"
#include "model/NameDialogRequest.h"
#include "model/ScreenTypeList.h"
#include "model/ui/CNameDlg.h"
#include "model/ui/CNewProjectDlg.h"
#include "model/ui/CProjectSizeDlg.h"
#include "model/ui/ModelDialogs.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString RangeText(const char* key)
{
    return TranslateFormat(QString::fromLatin1(key), RangeArgs(200, 5000));
}

int SelectCustom(CNewProjectDlg& dlg)
{
    const int custom = dlg.TypeCombo()->count() - 1;
    dlg.TypeCombo()->setCurrentIndex(custom);
    return custom;
}

} // namespace

TEST(ScreenTypeList, SkipsEntriesWithoutNameOrSize)
{
    TestFolder folder;
    folder.Write(QStringLiteral("SCREENTYPE"),
                 "[DATA]\nCount=4\n"
                 "[0]\nName=Wide\nWidth=1280\nHeight=800\n"
                 "[1]\nName=Broken\nWidth=0\nHeight=600\n"
                 "[2]\nName=Tall\nWidth=600\nHeight=1024\n"
                 "[3]\nName=\nWidth=100\nHeight=100\n");
    const QList<ScreenType> types = LoadScreenTypes(folder.Path(QStringLiteral("SCREENTYPE")));
    ASSERT_EQ(types.size(), 2);
    EXPECT_EQ(types[0].name, QStringLiteral("Wide"));
    EXPECT_EQ(types[0].width, 1280);
    EXPECT_EQ(types[1].name, QStringLiteral("Tall"));
    EXPECT_EQ(types[1].height, 1024);

    EXPECT_TRUE(LoadScreenTypes(folder.Path(QStringLiteral("missing"))).isEmpty());
}

TEST(ScreenTypeList, ShippedFileOffersLandscapeAndPortraitPanels)
{
    const QList<ScreenType> types = LoadScreenTypes(QStringLiteral(MVL_SOURCE_DIR "/data/DATA/INI/SCREENTYPE"));
    auto has = [&](int w, int h) {
        return std::any_of(types.begin(), types.end(), [&](const ScreenType& t) { return t.width == w && t.height == h; });
    };
    for (auto [w, h] : {std::pair{800, 480}, {1024, 600}, {1024, 768}, {1280, 800}, {1920, 1080}, {1920, 1200}}) {
        EXPECT_TRUE(has(w, h)) << w << "x" << h;
        EXPECT_TRUE(has(h, w)) << h << "x" << w;
    }
}

TEST(NewProjectDialog, ListsScreenTypesThenCustomAndLocksTheirSizes)
{
    ScriptedUi ui;
    CNewProjectDlg dlg;
    const QList<ScreenType>& types = dlg.ScreenTypes();
    ASSERT_GE(types.size(), 2);
    EXPECT_EQ(types.back().name, QStringLiteral("CUSTOM"));
    EXPECT_EQ(types.back().width, 1024);
    EXPECT_EQ(types.back().height, 768);
    ASSERT_EQ(dlg.TypeCombo()->count(), types.size());

    // The first type is chosen and its size shown, not editable.
    EXPECT_EQ(dlg.TypeCombo()->currentIndex(), 0);
    EXPECT_EQ(dlg.WidthEdit()->text(), QString::number(types[0].width));
    EXPECT_EQ(dlg.HeightEdit()->text(), QString::number(types[0].height));
    EXPECT_FALSE(dlg.WidthEdit()->isEnabled());
    EXPECT_FALSE(dlg.HeightEdit()->isEnabled());

    SelectCustom(dlg);
    EXPECT_TRUE(dlg.WidthEdit()->isEnabled());
    EXPECT_TRUE(dlg.HeightEdit()->isEnabled());
    EXPECT_EQ(dlg.WidthEdit()->text(), QStringLiteral("1024"));

    dlg.TypeCombo()->setCurrentIndex(1);
    EXPECT_FALSE(dlg.WidthEdit()->isEnabled());
    EXPECT_EQ(dlg.WidthEdit()->text(), QString::number(types[1].width));
}

TEST(NewProjectDialog, ChecksFieldsInOrderAndKeepsTheDialogOpen)
{
    ScriptedUi ui;
    TestFolder folder;
    CNewProjectDlg dlg;
    SelectCustom(dlg);

    struct Case {
        QString width, height, path, message;
    };
    const QString project = folder.Path(QStringLiteral("Hall"));
    const QString hidden = folder.Path(QStringLiteral(".backup"));
    folder.Write(QStringLiteral("Lobby/Lobby.mvl"), "8001");
    const QString lobby = folder.Path(QStringLiteral("Lobby"));
    const Case cases[] = {
        {QString(), QString(), QString(), Translate("205")},
        {QStringLiteral("800"), QString(), QString(), Translate("206")},
        {QStringLiteral("800"), QStringLiteral("600"), QString(), Translate("207")},
        {QStringLiteral("199"), QStringLiteral("600"), project, RangeText("209")},
        {QStringLiteral("5001"), QStringLiteral("600"), project, RangeText("209")},
        {QStringLiteral("800"), QStringLiteral("199"), project, RangeText("210")},
        {QStringLiteral("800"), QStringLiteral("5001"), project, RangeText("210")},
        // Folders that give no project name, or a hidden one that packing leaves out.
        {QStringLiteral("800"), QStringLiteral("600"), QStringLiteral("/"), TranslateFormat("1402", {QStringLiteral("/")})},
        {QStringLiteral("800"), QStringLiteral("600"), hidden, TranslateFormat("1402", {hidden})},
        // A project already there is replaced only on Yes; the default answer is No.
        {QStringLiteral("800"), QStringLiteral("600"), lobby,
         TranslateFormat("1400", {lobby + QStringLiteral("/Lobby.mvl")})},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        dlg.WidthEdit()->setText(c.width);
        dlg.HeightEdit()->setText(c.height);
        dlg.PathEdit()->setText(c.path);
        dlg.accept();
        ASSERT_EQ(ui.messages.size(), 1) << qPrintable(c.message);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].caption, Translate("70"));
        EXPECT_NE(dlg.result(), QDialog::Accepted);
    }
    EXPECT_FALSE(QFileInfo::exists(project)) << "no folder is made before every check passed";
    EXPECT_FALSE(QFileInfo::exists(hidden));
    EXPECT_EQ(ui.messages[0].buttonSet, kButtonsNoYesDefaultNo);
}

TEST(NewProjectDialog, AcceptsTheBoundsAndCreatesTheFolder)
{
    ScriptedUi ui;
    TestFolder folder;
    for (auto [w, h] : {std::pair{200, 5000}, {5000, 200}}) {
        CNewProjectDlg dlg;
        SelectCustom(dlg);
        const QString path = folder.Path(QStringLiteral("P%1/Hall").arg(w));
        dlg.WidthEdit()->setText(QString::number(w));
        dlg.HeightEdit()->setText(QString::number(h));
        dlg.PathEdit()->setText(path);
        dlg.accept();
        EXPECT_TRUE(ui.messages.isEmpty());
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_TRUE(QFileInfo(path).isDir());
        EXPECT_EQ(dlg.GetFolder(), QDir::cleanPath(path));
        EXPECT_EQ(dlg.GetScreenType().name, QStringLiteral("CUSTOM"));
        EXPECT_EQ(dlg.GetScreenType().width, w);
        EXPECT_EQ(dlg.GetScreenType().height, h);
    }
}

TEST(NewProjectDialog, ReusesAnExistingFolderAndRefusesOneThatCannotBeMade)
{
    ScriptedUi ui;
    TestFolder folder;
    QDir().mkpath(folder.Path(QStringLiteral("Existing")));
    folder.Write(QStringLiteral("plainfile"), "x");

    CNewProjectDlg reuse;
    reuse.TypeCombo()->setCurrentIndex(0);
    reuse.PathEdit()->setText(folder.Path(QStringLiteral("Existing")));
    reuse.accept();
    EXPECT_EQ(reuse.result(), QDialog::Accepted);
    EXPECT_EQ(reuse.GetScreenType().name, reuse.ScreenTypes()[0].name);

    CNewProjectDlg blocked;
    blocked.PathEdit()->setText(folder.Path(QStringLiteral("plainfile/Hall")));
    blocked.accept();
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("208"));
    EXPECT_NE(blocked.result(), QDialog::Accepted);
}

TEST(NewProjectDialog, BrowseProposesDemoAndFillsThePath)
{
    ScriptedUi ui;
    ui.files.push_back(QStringLiteral("/tmp/somewhere/Lobby"));
    CNewProjectDlg dlg;
    dlg.BrowseButton()->click();
    EXPECT_EQ(dlg.PathEdit()->text(), QStringLiteral("/tmp/somewhere/Lobby"));
    // Cancelling the file dialog leaves the path alone.
    dlg.BrowseButton()->click();
    EXPECT_EQ(dlg.PathEdit()->text(), QStringLiteral("/tmp/somewhere/Lobby"));
}

TEST(ProjectSizeDialog, StartsWithTheSizeAndChecksTheRange)
{
    ScriptedUi ui;
    CProjectSizeDlg dlg(1024, 600, nullptr);
    EXPECT_EQ(dlg.WidthEdit()->text(), QStringLiteral("1024"));
    EXPECT_EQ(dlg.HeightEdit()->text(), QStringLiteral("600"));

    const struct {
        const char* w;
        const char* h;
        QString message;
    } refused[] = {
        {"", "600", Translate("205")},
        {"800", "", Translate("206")},
        {"199", "600", RangeText("209")},
        {"800", "5001", RangeText("210")},
    };
    for (const auto& c : refused) {
        ui.messages.clear();
        dlg.WidthEdit()->setText(QString::fromLatin1(c.w));
        dlg.HeightEdit()->setText(QString::fromLatin1(c.h));
        dlg.accept();
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.GetWidth(), 1024) << "a refused entry changes nothing";
    }
    ui.messages.clear();
    dlg.WidthEdit()->setText(QStringLiteral("800"));
    dlg.HeightEdit()->setText(QStringLiteral("480"));
    dlg.accept();
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetWidth(), 800);
    EXPECT_EQ(dlg.GetHeight(), 480);
}

TEST(NameDialog, RefusesAnEmptyName)
{
    ScriptedUi ui;
    CNameDlg dlg(QStringLiteral("caption"), QStringLiteral("label"), QStringLiteral("PAGE-0"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("caption"));
    EXPECT_EQ(dlg.NameEdit()->text(), QStringLiteral("PAGE-0"));
    dlg.NameEdit()->clear();
    dlg.accept();
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("176"));
    EXPECT_EQ(ui.messages[0].caption, Translate("70"));
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    dlg.NameEdit()->setText(QStringLiteral("Lobby"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetName(), QStringLiteral("Lobby"));
}

TEST(NameDialog, RunsByNameThroughTheRegistry)
{
    RegisterModelDialogs();
    const DialogRunner run = DialogRegistry::Find(QStringLiteral("name"));
    ASSERT_TRUE(run);
    NameDialogRequest request{QStringLiteral("New Page"), QStringLiteral("Name"), QStringLiteral("PAGE-1")};
    // Answer the modal dialog once it is up: type a name and confirm.
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CNameDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->NameEdit()->setText(QStringLiteral("Kitchen"));
        dlg->accept();
    });
    EXPECT_EQ(run(&request), 1);
    EXPECT_EQ(request.name, QStringLiteral("Kitchen"));

    QTimer::singleShot(0, [] {
        if (auto* dlg = qobject_cast<CNameDlg*>(QApplication::activeModalWidget()))
            dlg->reject();
    });
    EXPECT_EQ(run(&request), 2);
    EXPECT_EQ(request.name, QStringLiteral("Kitchen")) << "cancel keeps the request as it was";
}
