#pragma once

#include <QString>

// What code without widgets hands to Ui().RunDialog("name", &request) to ask the user
// for a name: the dialog shows caption and label, starts with name and, on OK (result
// 1), leaves the entered name there.
struct NameDialogRequest {
    QString caption;
    QString label;
    QString name;
};
