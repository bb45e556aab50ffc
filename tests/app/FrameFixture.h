#pragma once

#include "app/ApplicationLook.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "base/AppPaths.h"
#include "base/FileUtil.h"
#include "base/IniFile.h"
#include "base/Translation.h"
#include "editor/ui/CMFCMyPropertyGridCtrl.h"
#include "editor/ui/CMarvolentaView.h"
#include "editor/ui/CPropertyView.h"
#include "model/HeadlessMainDelegate.h"
#include "model/NameDialogRequest.h"
#include "model/ProjectData.h"
#include "model/ProjectDialogRequests.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"
#include "support/QtWarningGuard.h"
#include "support/RealDialogs.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

#include <memory>

// A main frame in an application folder of its own (settings, framework settings and a
// copy of the translations), with the scripted user interface answering its dialogs, or,
// after UseRealDialogs, the application's own dialogs answered by the modal answerer.
// A Qt warning about an item view's editor fails any test on the frame.
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
        real.reset();
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

    // The project's saved file read back on its own.
    std::unique_ptr<ProjectData> ReloadSaved(const ProjectData* project)
    {
        auto copy = std::make_unique<ProjectData>();
        copy->mainDelegate = &headless;
        QString message;
        EXPECT_TRUE(copy->LoadProjectFile(project->GetDataFilePath(), message)) << message.toStdString();
        return copy;
    }

    // From here on the dialogs are the real ones; real->answer replies to them.
    void UseRealDialogs() { real = std::make_unique<RealDialogs>(frame.get()); }

    // The property grid's item for a row of the element it shows, or null.
    QTreeWidgetItem* GridRow(quint32 id) const
    {
        CMFCMyPropertyGridCtrl* grid = frame->PropPane()->Grid();
        for (QTreeWidgetItemIterator it(grid); *it; ++it) {
            const CMFCMyPropertyGridProperty* p = grid->PropertyAt(grid->indexFromItem(*it));
            if (p && p->data == id)
                return *it;
        }
        return nullptr;
    }

    QString GridValue(quint32 id) const
    {
        QTreeWidgetItem* row = GridRow(id);
        return row ? row->text(1) : QStringLiteral("<no row>");
    }

    // Selects the element and opens the editor of one of its rows with Enter, as the
    // keyboard does; the widget that has the focus then (null when no editor opened).
    QWidget* OpenEditor(XControl* element, quint32 id)
    {
        frame->SelectControl(element);
        QApplication::processEvents();
        return OpenRowEditor(id);
    }

    // Opens the editor of a row the pane shows with Enter; the focus widget then, or null.
    QWidget* OpenRowEditor(quint32 id)
    {
        CMFCMyPropertyGridCtrl* grid = frame->PropPane()->Grid();
        QTreeWidgetItem* row = GridRow(id);
        EXPECT_NE(row, nullptr) << id;
        if (!row)
            return nullptr;
        grid->setCurrentItem(row, 1);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Return);
        QWidget* editor = QApplication::focusWidget();
        return editor && grid->viewport()->isAncestorOf(editor) ? editor : nullptr;
    }

    // OpenEditor, then the whole text replaced by typing; the line edit, still open.
    QLineEdit* Type(XControl* element, quint32 id, const QString& text)
    {
        auto* line = qobject_cast<QLineEdit*>(OpenEditor(element, id));
        EXPECT_NE(line, nullptr) << id;
        if (!line)
            return nullptr;
        line->selectAll();
        QTest::keyClicks(line, text);
        return line;
    }

    void TypeAndEnter(XControl* element, quint32 id, const QString& text)
    {
        if (QLineEdit* line = Type(element, id, text))
            QTest::keyClick(line, Qt::Key_Return);
        WaitForPane();
    }

    // Lets the event loop run until the property grid has committed what its editors
    // left (that happens after they close) and has shown the rows anew.
    void WaitForPane()
    {
        // Enter commits through a queued call, which queues the grid's own run: a few
        // rounds; an editor that Tab opened stays open.
        CMFCMyPropertyGridCtrl* grid = frame->PropPane()->Grid();
        for (int round = 0; round < 3; ++round)
            QApplication::processEvents();
        EXPECT_TRUE(QTest::qWaitFor([grid] { return !grid->IsBusy() || grid->IsEditing(); }, 2000)) << "the property pane stays busy";
        QApplication::processEvents();
    }

    // After the real dialogs an edit opened were answered: the pane has committed, and
    // an editor Tab left open is closed with Escape.
    void Settle()
    {
        real->answer.Wait();
        WaitForPane();
        // The offscreen platform has no window manager to give the frame back its
        // activation when a modal dialog closes.
        if (!frame->isActiveWindow()) {
            frame->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        }
        if (QWidget* editor = QApplication::focusWidget(); editor && frame->PropPane()->Grid()->viewport()->isAncestorOf(editor))
            QTest::keyClick(editor, Qt::Key_Escape);
        QApplication::processEvents();
    }

    // A new control of the type on the page, under its own name, in the tree.
    template <class T> T* AddControl(XPage* page, int type, const char* name, IntRect bounds)
    {
        auto* c = static_cast<T*>(CreateElement(type));
        c->SetBounds(bounds);
        page->AddControl(c);
        c->name = QString::fromLatin1(name);
        frame->UpdateTreeItem(c);
        return c;
    }

    HeadlessMainDelegate headless;
    QtWarningGuard viewWarnings;
    ScriptedUi ui;
    TestFolder app;
    TestFolder work;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<RealDialogs> real;
};
