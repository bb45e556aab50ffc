#pragma once

#include <QString>
#include <QStringList>

class XControl;

// One thing the panel would do on a touch, as the project's data say it: a send code
// (with a level for the level controls), the command string as stored, a jump, or a
// note for the elements the panel runtime runs on its own.
struct PreviewLogEntry {
    QString page;    // the page or sub-page the element lies on
    QString element;
    int sendCode = 0;  // 0: none
    int level = -1;    // -1: not a level control
    int channel = 0;   // a Dante bar's channel (it has no send code)
    QString command;   // the command string, never interpreted
    QString jump;      // the page or sub-page shown next, empty for none
    QString detail;    // button kind and auxiliary number, shown as they are stored
    bool runtimeOnly = false; // an element the panel runtime runs itself

    bool operator==(const PreviewLogEntry& o) const;
};

namespace PreviewLog {
// "Page / Element: send code 2 · "LIGHTS OFF" · → Lighting" in the current language.
QString Format(const PreviewLogEntry& entry);
// The translated formats Format uses, keyed as the prototype's script reads them.
QStringList FormatKeys();
QString FormatText(const QString& key);
// The stored button kind and auxiliary number as the log shows them (the panel runtime
// gives them their meaning): empty when both are 0, and for kind 1 while the button is in
// an interlock group, which the preview shows itself.
QString ButtonDetail(int buttonKind, int auxNumber, bool inGroup);
}
