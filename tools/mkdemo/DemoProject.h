#pragma once

#include <QString>

// Builds the lobby control panel demo in folder (replacing what is there) and saves it.
bool WriteDemoProject(const QString& folder, QString& error);
