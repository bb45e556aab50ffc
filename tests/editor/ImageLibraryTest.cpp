// Images taken into a project several at a time and dropped onto pages and controls.

#include "editor/ImageLibrary.h"

#include "support/OverviewExample.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include "controls/XPhoto.h"
#include "model/ElementTypes.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

TEST(ImageLibrary, ImportsSeveralFilesAsTheImageChooserDoes)
{
    ScriptedUi ui;
    TestFolder dir;
    OverviewExample venue(dir.Path(QStringLiteral("Venue")));
    ProjectData& project = *venue.project;
    ASSERT_TRUE(WriteTestPng(dir.Path(QStringLiteral("in/stage.png")), 60, 20));
    ASSERT_TRUE(WriteTestPng(dir.Path(QStringLiteral("in/lamp.png")), 5, 5, 0x00FF00));
    ASSERT_TRUE(dir.Write(QStringLiteral("in/notes.txt"), "not an image"));

    const ImageLibrary::ImportOutcome outcome = ImageLibrary::Import(
        project, {dir.Path(QStringLiteral("in/stage.png")), dir.Path(QStringLiteral("in/lamp.png")),
                  dir.Path(QStringLiteral("in/notes.txt")), dir.Path(QStringLiteral("in/missing.png"))});
    EXPECT_EQ(outcome.taken, QStringList{QStringLiteral("stage.png")});
    EXPECT_EQ(outcome.present, QStringList{QStringLiteral("lamp.png")});
    EXPECT_EQ(outcome.refused, (QStringList{QStringLiteral("notes.txt"), QStringLiteral("missing.png")}));
    EXPECT_TRUE(project.images.contains(QStringLiteral("stage.png")));
    EXPECT_TRUE(QFileInfo(project.ImagePath(QStringLiteral("stage.png"))).isFile());
    EXPECT_EQ(QImage(project.ImagePath(QStringLiteral("lamp.png"))).size(), QSize(40, 30))
        << "an image of the same name stays as it was";
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST(ImageLibrary, ADropPlacesAPictureOrSetsAControlsImageAsOneStep)
{
    ScriptedUi ui;
    TestFolder dir;
    OverviewExample venue(dir.Path(QStringLiteral("Venue")));
    ProjectData& project = *venue.project;
    ASSERT_TRUE(WriteTestPng(dir.Path(QStringLiteral("in/stage.png")), 60, 20));
    const QString stage = dir.Path(QStringLiteral("in/stage.png"));
    XPage* orphan = venue.Page(QStringLiteral("Orphan"));
    XPage* lights = venue.Page(QStringLiteral("Lights"));
    auto* lamp = static_cast<XPhoto*>(lights->FindControl(QStringLiteral("Lamp")));

    struct Case {
        const char* what;
        XPage* page;
        QPoint at;
        int controlsAdded;
        XControl* changed; // null: a new picture
    };
    // A backdrop as large as the page lies under everything on Orphan.
    auto* backdrop = static_cast<XPhoto*>(CreateElement(ElementType::kPhoto));
    orphan->AddControl(backdrop);
    orphan->MoveControlAfter(orphan->controls.first(), backdrop);
    backdrop->SetBounds(orphan->Bounds());
    backdrop->imageFile = QStringLiteral("lamp.png");
    const Case cases[] = {
        {"onto an empty place (the backdrop): a picture of the image's size", orphan, {400, 300}, 1, nullptr},
        {"onto a picture: its image", lights, {210, 210}, 0, lamp},
    };
    for (const Case& c : cases) {
        const int controls = c.page->controls.size();
        const int steps = c.page->UndoCount();
        const QString lampImage = lamp->imageFile;
        XControl* result = ImageLibrary::Drop(*c.page, c.at, stage);
        ASSERT_NE(result, nullptr) << c.what;
        EXPECT_EQ(c.page->controls.size(), controls + c.controlsAdded) << c.what;
        EXPECT_EQ(c.page->UndoCount(), steps + 1) << c.what;
        EXPECT_TRUE(project.images.contains(QStringLiteral("stage.png"))) << c.what;
        auto* photo = dynamic_cast<XPhoto*>(result);
        ASSERT_NE(photo, nullptr) << c.what;
        EXPECT_EQ(photo->imageFile, QStringLiteral("stage.png")) << c.what;
        if (c.changed) {
            EXPECT_EQ(result, c.changed) << c.what;
        } else {
            EXPECT_EQ(result->GetType(), ElementType::kPhoto) << c.what;
            EXPECT_EQ(result->Bounds(), (IntRect{400, 300, 460, 320})) << c.what;
        }
        c.page->Undo();
        EXPECT_EQ(c.page->controls.size(), controls) << c.what;
        if (c.changed) {
            EXPECT_EQ(lamp->imageFile, lampImage) << c.what;
        }
    }
    EXPECT_EQ(backdrop->imageFile, QStringLiteral("lamp.png"));
    EXPECT_EQ(ImageLibrary::Drop(*orphan, {10, 10}, dir.Path(QStringLiteral("in/none.txt"))), nullptr);
}
