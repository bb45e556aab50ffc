#pragma once

#include "ScreenType.h"

#include <QString>

class ProjectSizeDlgDelegate;

// What the main frame hands to Ui().RunDialog to create a project ("newproject") and
// to change a project's size ("projectsize"). On OK (result 1) the fields hold the
// user's choice.
struct NewProjectDialogRequest {
    ScreenType screen;
    QString folder;
};

struct ProjectSizeDialogRequest {
    int width = 0;
    int height = 0;
    ProjectSizeDlgDelegate* delegate = nullptr;
};
