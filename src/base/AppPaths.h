#pragma once

#include <QString>

// The application folder and the paths built under it. When the executable's folder
// holds DATA (the build tree, a portable copy) everything lives there; an installed
// editor reads DATA from share/marvolenta and keeps its writable files (settings, TEMP,
// crash report) in the user's config and cache folders.
namespace AppPaths {

QString GetAppFolder();
QString GetDataFolder();          // read-only application data ("DATA")
QString GetSettingsPath();        // DATA/INI/APPDATA
QString GetScreenTypePath();      // DATA/INI/SCREENTYPE
QString GetTranslationPath(const QString& name); // DATA/TRANSLATION/<name>
QString GetFontPath(const QString& faceName);    // DATA/FONT/<face>.ttf
QString GetAppPhotoFolder();      // DATA/PHOTO
QString GetTempZipPath();         // DATA/TEMP/temp.zip (its folder is created on demand)
QString GetDumpPath();            // ErrorData.dmp

// Points every path at a given application folder (tests, portable use).
void SetAppFolder(const QString& folder);
bool IsInstalledLayout();

}
