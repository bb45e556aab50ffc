#pragma once

#include "app/ApplicationLook.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "base/AppPaths.h"
#include "base/FileUtil.h"
#include "base/IniFile.h"
#include "base/Translation.h"
#include "editor/ui/CMarvolentaView.h"
#include "model/NameDialogRequest.h"
#include "model/ProjectData.h"
#include "model/ProjectDialogRequests.h"
#include "model/XPage.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A main frame in an application folder of its own (settings, framework settings and a
// copy of the translations), with the scripted user interface answering its dialogs.
class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString data = QStringLiteral(MVL_BIN_DIR "/DATA");
        ASSERT_TRUE(FileUtil::CopyFolder(data + QStringLiteral("/TRANSLATION"), app.Path(QStringLiteral("DATA/TRANSLATION"))));
        QDir().mkpath(app.Path(QStringLiteral("DATA/INI")));
        QFile::copy(data + QStringLiteral("/INI/SCREENTYPE"), app.Path(QStringLiteral("DATA/INI/SCREENTYPE")));
        AppPaths::SetAppFolder(app.Path());
        SetFrameworkSettingsPath(app.Path(QStringLiteral("framework.conf")));
        Translation::SetLanguage(0);
        MakeFrame();
    }

    void TearDown() override
    {
        frame.reset();
        AppPaths::SetAppFolder(QStringLiteral(MVL_BIN_DIR));
        SetFrameworkSettingsPath(QString());
        Translation::SetLanguage(0);
    }

    void MakeFrame()
    {
        frame = std::make_unique<CMainFrame>();
        frame->resize(1400, 900);
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    QString SettingsValue(const QString& key) const
    {
        Profile::ForgetCache();
        return Profile::ReadString(AppPaths::GetSettingsPath(), QStringLiteral("Info"), key);
    }

    // The new-project command with the dialog answered.
    ProjectData* NewProject(const QString& folder, int width = 1024, int height = 600)
    {
        ui.dialogs[QStringLiteral("newproject")] = [=](void* data) {
            auto* request = static_cast<NewProjectDialogRequest*>(data);
            request->screen = {QStringLiteral("CUSTOM"), width, height};
            request->folder = folder;
            QDir().mkpath(folder);
            return 1;
        };
        frame->OnCommand(32771);
        return frame->CurrentProject();
    }

    // The page (or sub-page) command with the name dialog answered.
    XPage* NewPage(const QString& name, int command = 32775)
    {
        ui.dialogs[QStringLiteral("name")] = [=](void* data) {
            static_cast<NameDialogRequest*>(data)->name = name;
            return 1;
        };
        frame->OnCommand(command);
        ProjectData* p = frame->CurrentProject();
        return p ? p->FindPage(name) : nullptr;
    }

    CMarvolentaView* ViewOf(const XPage* page) const
    {
        CChildFrame* child = frame->ChildFrameFor(page);
        return child ? child->View() : nullptr;
    }

    // Drags with the mouse on a page's design view, in page coordinates.
    void Drag(const XPage* page, QPoint from, QPoint to)
    {
        CMarvolentaView* view = ViewOf(page);
        ASSERT_NE(view, nullptr);
        QWidget* surface = view->viewport();
        const QPoint a = frame->PagePointToView(from.x(), from.y());
        const QPoint b = frame->PagePointToView(to.x(), to.y());
        QTest::mousePress(surface, Qt::LeftButton, {}, a);
        QTest::mouseMove(surface, (a + b) / 2);
        QTest::mouseMove(surface, b);
        QTest::mouseRelease(surface, Qt::LeftButton, {}, b);
    }

    QStringList MessageTexts() const { return ui.Texts(); }

    ScriptedUi ui;
    TestFolder app;
    TestFolder work;
    std::unique_ptr<CMainFrame> frame;
};
