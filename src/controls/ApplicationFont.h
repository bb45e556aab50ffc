#pragma once

#include <QString>
#include <QStringList>

// The editor's own font and the font names the text controls fall back to.
//
// The panel runtime draws texts and button labels in a font it knows by the face name
// "迷你简特细等线"; the editor loads DATA/FONT/<face>.ttf, a link to the freely licensed
// CJK font of Debian's fonts-droid-fallback package, and maps the face name to it, so
// measuring and drawing match what the panel shows as closely as the editor can.

// The face name of the application font.
QString ApplicationFontName();

// Adds DATA/FONT/<face>.ttf to the process and maps the face name to its family.
// Programs call it once at start, after the application folder is known; it returns
// false (and the face name falls back to the default sans-serif family) when the file
// is missing or unreadable. Calling it again does no harm.
bool RegisterApplicationFont();
// Removes the font again (at exit).
void UnregisterApplicationFont();

// The family of the system's icon-title font: what an empty font name of a text control
// becomes the first time a font is needed.
QString IconTitleFontName();

// The font families offered for text controls: those supporting Simplified Chinese, in
// the order the font database reports them, without vertical "@" faces.
QStringList FontFamilyOptions();
