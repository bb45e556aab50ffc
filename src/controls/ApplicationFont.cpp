#include "ApplicationFont.h"

#include "TextDrawing.h"
#include "base/AppPaths.h"

#include <QFont>
#include <QFontDatabase>

namespace {
int registeredId = -1;
}

QString ApplicationFontName()
{
    return QStringLiteral("迷你简特细等线");
}

bool RegisterApplicationFont()
{
    if (registeredId >= 0)
        return true;
    const int id = QFontDatabase::addApplicationFont(AppPaths::GetFontPath(ApplicationFontName()));
    if (id < 0)
        return false;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        QFontDatabase::removeApplicationFont(id);
        return false;
    }
    registeredId = id;
    QFont::removeSubstitutions(ApplicationFontName());
    QFont::insertSubstitution(ApplicationFontName(), families.first());
    ClearTextCaches();
    return true;
}

void UnregisterApplicationFont()
{
    if (registeredId < 0)
        return;
    QFontDatabase::removeApplicationFont(registeredId);
    QFont::removeSubstitutions(ApplicationFontName());
    registeredId = -1;
    ClearTextCaches();
}

QString IconTitleFontName()
{
    // Asked for by every new link and video frame and every font text without a font:
    // each question costs a whole font-configuration match, the answer never changes.
    static const QString family = QFontDatabase::systemFont(QFontDatabase::TitleFont).family();
    return family;
}

QStringList FontFamilyOptions()
{
    QStringList families;
    for (const QString& family : QFontDatabase::families(QFontDatabase::SimplifiedChinese))
        if (!family.contains(u'@'))
            families << family;
    return families;
}
