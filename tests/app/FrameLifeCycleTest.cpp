// The questions of a project's life cycle (close, new, save as, send) through the real
// frame: each row names the messages the user is shown, by translation key, and the
// button chosen on each, so that the same table can drive real message boxes.

#include "FrameFixture.h"

#include "app/Commands.h"
#include "controls/XButton.h"
#include "devicelink/ui/CTransmissionProjectDlg.h"
#include "editor/ui/CProjectCheckPane.h"
#include "model/ElementTypes.h"
#include "model/FieldTable.h"
#include "model/TypeRegistry.h"
#include "model/ui/CNewProjectDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include <functional>
#include <vector>

namespace {

// One message the user sees: its text key and arguments, the button set it must offer
// (-1: any) and the button the user chooses.
struct Asked {
    QString key;
    QStringList args;
    int buttons;
    int answer;
};

class FrameLifeCycle : public FrameFixture {
protected:
    // A project in its own folder with one saved page: no unsaved changes.
    ProjectData* SavedProject(const QString& name)
    {
        folder = work.Path(name);
        ProjectData* project = NewProject(folder);
        NewPage(QStringLiteral("Lobby"));
        frame->OnCommand(Cmd::SaveProject);
        ui.messages.clear();
        return project;
    }

    // An edit the user can see: a second page.
    void Edit() { NewPage(QStringLiteral("Extra")); }

    int PagesOnDisk(const QString& projectFolder) const
    {
        ProjectData saved;
        QString message;
        if (!saved.LoadProjectFile(ProjectData::DataFilePathIn(projectFolder), message))
            return -1;
        return saved.pages.size();
    }

    // The new-project command answered through the real dialog's checks: the user types
    // the folder and presses OK; a dialog that stays open is then cancelled.
    void AnswerNewProjectWithTheDialog(const QString& path)
    {
        ui.dialogs[QStringLiteral("newproject")] = [path](void* data) {
            CNewProjectDlg dlg;
            dlg.TypeCombo()->setCurrentIndex(dlg.TypeCombo()->count() - 1);
            dlg.WidthEdit()->setText(QStringLiteral("1024"));
            dlg.HeightEdit()->setText(QStringLiteral("600"));
            dlg.PathEdit()->setText(path);
            dlg.accept();
            if (dlg.result() != QDialog::Accepted)
                return 2;
            auto* request = static_cast<NewProjectDialogRequest*>(data);
            request->screen = dlg.GetScreenType();
            request->folder = dlg.GetFolder();
            return 1;
        };
    }

    // Runs a command; a transmission dialog it opens is closed again at once.
    bool RunCommand(int command)
    {
        bool transmissionOpened = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&transmissionOpened] {
            if (auto* dlg = qobject_cast<CTransmissionProjectDlg*>(QApplication::activeModalWidget())) {
                transmissionOpened = true;
                static_cast<QDialog*>(dlg)->reject();
            }
        });
        closer.start(20);
        frame->OnCommand(command);
        return transmissionOpened;
    }

    void CloseEverything()
    {
        while (!frame->Projects().empty())
            frame->CloseProject(frame->Projects().front().get());
        ui.messages.clear();
        ui.answers.clear();
        ui.dialogs.remove(QStringLiteral("newproject"));
    }

    QString folder;
};

} // namespace

TEST_F(FrameLifeCycle, QuestionsAskedAndWhatEachAnswerKeeps)
{
    struct Row {
        const char* name;
        std::function<void()> arrange;
        int command;
        std::function<std::vector<Asked>()> asked;
        bool sends;
        std::function<void()> verify;
    };
    ProjectData* project = nullptr;
    XButton* button = nullptr;
    auto copyPath = [this] { return work.Path(QStringLiteral("Copies/Annex")); };

    const Row rows[] = {
        {"close with unsaved changes, Cancel keeps the project open",
         [&] { project = SavedProject(QStringLiteral("CloseCancel")); Edit(); },
         Cmd::CloseProject, [] { return std::vector<Asked>{{"75", {}, kButtonsCancelNoYes, kIdCancel}}; }, false,
         [&] {
             ASSERT_EQ(frame->Projects().size(), 1u);
             EXPECT_EQ(frame->CurrentProject(), project);
             EXPECT_TRUE(project->IsModified()) << "the edit is still there, still marked";
             EXPECT_EQ(project->pages.size(), 2);
             EXPECT_EQ(PagesOnDisk(folder), 1);
         }},
        {"close with unsaved changes, No drops them",
         [&] { project = SavedProject(QStringLiteral("CloseNo")); Edit(); },
         Cmd::CloseProject, [] { return std::vector<Asked>{{"75", {}, kButtonsCancelNoYes, kIdNo}}; }, false,
         [&] {
             EXPECT_TRUE(frame->Projects().empty());
             EXPECT_EQ(PagesOnDisk(folder), 1);
         }},
        {"close with unsaved changes, Yes saves them",
         [&] { project = SavedProject(QStringLiteral("CloseYes")); Edit(); },
         Cmd::CloseProject, [] { return std::vector<Asked>{{"75", {}, kButtonsCancelNoYes, kIdYes}}; }, false,
         [&] {
             EXPECT_TRUE(frame->Projects().empty());
             EXPECT_EQ(PagesOnDisk(folder), 2);
         }},
        {"close without unsaved changes asks nothing",
         [&] { project = SavedProject(QStringLiteral("CloseSaved")); },
         Cmd::CloseProject, [] { return std::vector<Asked>{}; }, false,
         [&] { EXPECT_TRUE(frame->Projects().empty()); }},
        {"new project over a project, No keeps it",
         [&] {
             SavedProject(QStringLiteral("NewNo"));
             CloseEverything();
             AnswerNewProjectWithTheDialog(folder);
         },
         Cmd::NewProject,
         [&] {
             return std::vector<Asked>{
                 {"1400", {folder + QStringLiteral("/NewNo.mvl")}, kButtonsNoYesDefaultNo, kIdNo}};
         },
         false,
         [&] {
             EXPECT_TRUE(frame->Projects().empty());
             EXPECT_EQ(PagesOnDisk(folder), 1);
         }},
        {"new project over a project, Yes replaces it",
         [&] {
             SavedProject(QStringLiteral("NewYes"));
             CloseEverything();
             AnswerNewProjectWithTheDialog(folder);
         },
         Cmd::NewProject,
         [&] {
             return std::vector<Asked>{
                 {"1400", {folder + QStringLiteral("/NewYes.mvl")}, kButtonsNoYesDefaultNo, kIdYes}};
         },
         false,
         [&] {
             ASSERT_EQ(frame->Projects().size(), 1u);
             EXPECT_EQ(PagesOnDisk(folder), 0);
         }},
        {"save as with unsaved changes copies what the user sees",
         [&] {
             project = SavedProject(QStringLiteral("SaveAs"));
             Edit();
             ui.files.push_back(copyPath());
         },
         Cmd::SaveAs, [] { return std::vector<Asked>{{"212", {}, -1, kIdOk}}; }, false,
         [&] {
             EXPECT_EQ(PagesOnDisk(copyPath()), 2);
             EXPECT_FALSE(QFileInfo::exists(copyPath() + QStringLiteral("/SaveAs.mvl")));
             EXPECT_EQ(PagesOnDisk(folder), 1) << "the project itself is not saved";
             EXPECT_TRUE(project->IsModified());
             EXPECT_EQ(frame->CurrentProject(), project);
             ASSERT_EQ(ui.fileTitles.size(), 1);
             EXPECT_FALSE(ui.fileTitles[0].contains(u'&')) << ui.fileTitles[0].toStdString();
             EXPECT_FALSE(ui.fileTitles[0].isEmpty());
         }},
        {"send with unsaved changes, Cancel sends nothing",
         [&] { project = SavedProject(QStringLiteral("SendCancel")); Edit(); },
         Cmd::Transmit, [] { return std::vector<Asked>{{"1401", {}, kButtonsCancelNoYes, kIdCancel}}; }, false,
         [&] {
             EXPECT_EQ(PagesOnDisk(folder), 1);
             EXPECT_TRUE(project->IsModified());
         }},
        {"send with unsaved changes, No checks and sends what is on disk",
         [&] {
             // Saved with a jump to a page that is not there; fixed since, not saved.
             project = SavedProject(QStringLiteral("SendNo"));
             button = static_cast<XButton*>(CreateElement(ElementType::kButton));
             project->pages[0]->AddControl(button);
             button->SetBounds({10, 10, 110, 50});
             button->Fields()->Find("jumpTargetName")->setText(*button, QStringLiteral("Nowhere"));
             frame->OnCommand(Cmd::SaveProject);
             ui.messages.clear();
             button->Fields()->Find("jumpTargetName")->setText(*button, QStringLiteral("NONE"));
             project->MarkModified();
         },
         Cmd::Transmit,
         [] {
             return std::vector<Asked>{{"1401", {}, kButtonsCancelNoYes, kIdNo},
                                       {"1075", {QStringLiteral("1")}, kButtonsNoYes, kIdNo}};
         },
         false,
         [&] {
             const auto& findings = frame->CheckPane()->Findings();
             ASSERT_EQ(findings.size(), 1u);
             EXPECT_EQ(findings[0].elementName, button->name);
             EXPECT_EQ(findings[0].args, QStringList{QStringLiteral("Nowhere")});
             EXPECT_TRUE(project->IsModified());
         }},
        {"send with unsaved changes, Yes saves and sends",
         [&] { project = SavedProject(QStringLiteral("SendYes")); Edit(); },
         Cmd::Transmit, [] { return std::vector<Asked>{{"1401", {}, kButtonsCancelNoYes, kIdYes}}; }, true,
         [&] {
             EXPECT_EQ(PagesOnDisk(folder), 2);
             EXPECT_FALSE(project->IsModified());
         }},
        {"send without unsaved changes asks nothing",
         [&] { project = SavedProject(QStringLiteral("SendSaved")); },
         Cmd::Transmit, [] { return std::vector<Asked>{}; }, true, [] {}},
    };

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CloseEverything();
        ui.fileTitles.clear();
        row.arrange();
        const std::vector<Asked> asked = row.asked();
        for (const Asked& a : asked)
            ui.answers.push_back(a.answer);
        EXPECT_EQ(RunCommand(row.command), row.sends);
        ASSERT_EQ(ui.messages.size(), asked.size()) << MessageTexts().join(u'|').toStdString();
        for (size_t i = 0; i < asked.size(); ++i) {
            EXPECT_EQ(ui.messages[static_cast<int>(i)].text, TranslateFormat(asked[i].key, asked[i].args));
            if (asked[i].buttons >= 0) {
                EXPECT_EQ(ui.messages[static_cast<int>(i)].buttonSet, asked[i].buttons) << asked[i].key.toStdString();
            }
        }
        row.verify();
    }
    CloseEverything();
}
