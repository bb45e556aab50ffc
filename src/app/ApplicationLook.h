#pragma once

#include <QString>

class QSettings;

// The eleven application looks (ids 205 to 215) as Qt styles and palettes. The id is
// kept in the framework settings under "ApplicationLook" (default 210).
namespace ApplicationLook {
constexpr int kFirst = 205;
constexpr int kLast = 215;
constexpr int kDefault = 210;

bool IsValid(int id);
// Applies the look to the whole application; an unknown id applies the default.
void Apply(int id);
// Translation key of the look's menu text.
QString MenuKey(int id);
// The Qt style the look is built on, and a palette colour that tells looks apart.
QString StyleName(int id);
unsigned WindowColor(int id);
}

// The framework's own settings (application look, window layout): one INI file in the
// user's configuration folder, "Marvolenta 3.8.2.conf".
QSettings& FrameworkSettings();
// Points the framework settings at another file (tests).
void SetFrameworkSettingsPath(const QString& path);
