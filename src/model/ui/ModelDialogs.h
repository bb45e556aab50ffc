#pragma once

// Registers the dialogs of this folder with the dialog registry: "name" (a
// NameDialogRequest), "newproject" (a NewProjectDialogRequest) and "projectsize" (a
// ProjectSizeDialogRequest).
void RegisterModelDialogs();
