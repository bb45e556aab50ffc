// The questions of a project's life cycle (close, new, save as, send) through the real
// frame and the real dialogs: each row names the messages the user is shown, by
// translation key, the buttons each must offer and the button chosen.

#include "FrameFixture.h"

#include "app/Commands.h"
#include "app/MessageBoxDlg.h"
#include "controls/XButton.h"
#include "devicelink/ui/CTransmissionProjectDlg.h"
#include "editor/ui/CProjectCheckPane.h"
#include "model/ElementTypes.h"
#include "model/FieldTable.h"
#include "model/TypeRegistry.h"
#include "model/ui/CNewProjectDlg.h"

#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>
#include <QLineEdit>

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

    // The new-project dialog: the user types the folder and presses OK; a question it
    // asks is answered by the expectations that follow.
    void AnswerNewProjectDialog(const QString& path)
    {
        real->answer.Expect<CNewProjectDlg>(QStringLiteral("new project dialog"), [path](CNewProjectDlg* dlg) {
            dlg->TypeCombo()->setCurrentIndex(dlg->TypeCombo()->count() - 1);
            dlg->WidthEdit()->setText(QStringLiteral("1024"));
            dlg->HeightEdit()->setText(QStringLiteral("600"));
            dlg->PathEdit()->setText(path);
            dlg->accept();
            // Declining to replace a project leaves the dialog open; the user then cancels.
            if (dlg->isVisible())
                dlg->reject();
        });
    }

    // The message box showing the asked text, offering the buttons of its set (the same
    // buttons, Enter and Escape answers as a box made for that set), answered as asked.
    void ExpectAsked(const Asked& a)
    {
        const QString text = TranslateFormat(a.key, a.args);
        real->answer.Add(
            QStringLiteral("message %1").arg(a.key),
            [text](QWidget* w) { return qobject_cast<MessageBoxDlg*>(w) && ModalAnswerer::TextOf(w) == text; },
            [a](QWidget* w) {
                const auto* box = qobject_cast<MessageBoxDlg*>(w);
                if (a.buttons >= 0) {
                    const MessageBoxDlg reference(QString(), QString(), a.buttons);
                    EXPECT_EQ(Results(*box), Results(reference)) << a.key.toStdString();
                    EXPECT_EQ(box->EnterResult(), reference.EnterResult()) << a.key.toStdString();
                    EXPECT_EQ(box->EscapeResult(), reference.EscapeResult()) << a.key.toStdString();
                }
                EXPECT_TRUE(ModalAnswerer::Press(w, a.answer)) << a.key.toStdString();
            });
    }

    static QList<int> Results(const MessageBoxDlg& box)
    {
        QList<int> results;
        for (const QPushButton* b : box.Buttons())
            results << b->property("result").toInt();
        return results;
    }

    void CloseEverything()
    {
        while (!frame->Projects().empty())
            frame->CloseProject(frame->Projects().front().get());
        ui.messages.clear();
        ui.answers.clear();
    }

    QString folder;
    QString fileDialogTitle;
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
             QDir().mkpath(QFileInfo(copyPath()).path());
         },
         Cmd::SaveAs, [] { return std::vector<Asked>{{"212", {}, -1, kIdOk}}; }, false,
         [&] {
             EXPECT_EQ(PagesOnDisk(copyPath()), 2);
             EXPECT_FALSE(QFileInfo::exists(copyPath() + QStringLiteral("/SaveAs.mvl")));
             EXPECT_EQ(PagesOnDisk(folder), 1) << "the project itself is not saved";
             EXPECT_TRUE(project->IsModified());
             EXPECT_EQ(frame->CurrentProject(), project);
             EXPECT_FALSE(fileDialogTitle.contains(u'&')) << fileDialogTitle.toStdString();
             EXPECT_FALSE(fileDialogTitle.isEmpty());
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
        row.arrange();
        UseRealDialogs();
        if (row.command == Cmd::NewProject)
            AnswerNewProjectDialog(folder);
        if (row.command == Cmd::SaveAs) {
            real->answer.Expect<QFileDialog>(QStringLiteral("file dialog"), [&](QFileDialog* d) {
                fileDialogTitle = d->windowTitle();
                // Typed into the name box, as a user would; Enter accepts it.
                auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                ASSERT_NE(name, nullptr);
                name->setText(copyPath());
                QTest::keyClick(name, Qt::Key_Return);
            });
        }
        for (const Asked& a : row.asked())
            ExpectAsked(a);
        bool sent = false;
        if (row.sends) {
            real->answer.Expect<CTransmissionProjectDlg>(QStringLiteral("transmission dialog"),
                                                         [&sent](CTransmissionProjectDlg* d) {
                                                             sent = true;
                                                             static_cast<QDialog*>(d)->reject();
                                                         });
        }
        frame->OnCommand(row.command);
        EXPECT_TRUE(real->answer.Wait()) << "not shown: " << real->answer.Seen().join(u'|').toStdString();
        EXPECT_TRUE(real->answer.Unexpected().isEmpty()) << real->answer.Unexpected().join(u'|').toStdString();
        EXPECT_EQ(sent, row.sends);
        real.reset();
        row.verify();
    }
    CloseEverything();
}
