#include "OverviewTables.h"

#include "base/Translation.h"
#include "model/ProjectData.h"
#include "model/TypeRegistry.h"

#include <QHash>

namespace {

using Mark = OverviewRow::Mark;

QString T(const char* key)
{
    return Translate(QString::fromLatin1(key));
}

// The texts a table repeats on many lines, each looked up once per table.
class RepeatedTexts {
public:
    const QString& Type(int type)
    {
        auto it = types.constFind(type);
        if (it == types.constEnd())
            it = types.insert(type, OverviewTables::TypeName(type));
        return it.value();
    }
    const QString& Kind(int kind) const
    {
        static const QString none;
        return kind == 1 ? interlocked : kind == 2 ? toggle : none;
    }
    QString Shared(int count) const { return FormatText(sharedFormat, {QString::number(count)}); }

private:
    QHash<int, QString> types;
    const QString interlocked = T("104");
    const QString toggle = T("105");
    const QString sharedFormat = T("1458");
};

// The first names of a long list, then an ellipsis: a line or a tip stays readable.
QString Listed(const QStringList& names, const QString& separator)
{
    constexpr int kShown = 20;
    if (names.size() <= kShown)
        return names.join(separator);
    return names.mid(0, kShown).join(separator) + separator + QStringLiteral("…");
}

} // namespace

namespace OverviewTables {

QString TypeName(int type)
{
    const ElementTypeInfo* info = TypeRegistry::Info(type);
    if (!info)
        return {};
    const char* key = info->menuKey ? info->menuKey : info->tipKey;
    return key ? Translate(QString::fromLatin1(key), QString::fromLatin1(info->key)) : QString::fromLatin1(info->key);
}

QStringList SendCodeHeaders()
{
    return {T("1455"), T("1072"), T("1071"), T("1456"), T("281"), T("282"), T("1457"), T("367")};
}

std::vector<OverviewRow> SendCodeRows(const ProjectOverview& overview)
{
    RepeatedTexts texts;
    const QString sharedOnPage = T("1459");
    const QString sharedElsewhere = T("1460");
    std::vector<OverviewRow> rows;
    rows.reserve(overview.SendCodes().size());
    for (const SendCodeEntry& e : overview.SendCodes()) {
        OverviewRow r;
        r.cells = {e.code,         e.element,          e.page,  texts.Type(e.type), texts.Kind(e.kind),
                   e.group,        e.sharedWith ? texts.Shared(e.sharedWith) : QString(), e.command};
        r.page = e.page;
        r.element = e.element;
        if (e.sharedOnPage) {
            r.mark = Mark::Warning;
            r.tip = sharedOnPage;
        } else if (e.sharedWith > 0) {
            r.mark = Mark::Note;
            r.tip = sharedElsewhere;
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

QStringList JumpHeaders()
{
    return {T("1072"), T("1071"), T("1464"), T("1461"), T("1496")};
}

std::vector<OverviewRow> JumpRows(const ProjectOverview& overview)
{
    const QString shows = T("1463");
    const QString jump = T("1462");
    std::vector<OverviewRow> rows;
    rows.reserve(overview.Jumps().size());
    for (const JumpEntry& j : overview.Jumps()) {
        OverviewRow r;
        // The project check's own words for a reference that does not resolve.
        const QString note = j.resolves ? QString()
                                        : TranslateFormat(QString::fromLatin1(j.shows ? "1051" : "1050"), {j.target});
        r.cells = {j.element, j.page, j.shows ? shows : jump, j.target, note};
        r.page = j.page;
        r.element = j.element;
        if (!j.resolves) {
            r.mark = Mark::Error;
            r.tip = note;
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

QStringList UnreachedHeaders()
{
    return {T("1071"), T("1496")};
}

std::vector<OverviewRow> UnreachedRows(const ProjectOverview& overview)
{
    std::vector<OverviewRow> rows;
    auto add = [&rows](const QString& page, const QString& note) {
        OverviewRow r;
        r.cells = {page, note};
        r.page = page;
        r.mark = Mark::Note;
        rows.push_back(std::move(r));
    };
    for (const QString& page : overview.UnreachedPages())
        add(page, T("1465"));
    for (const QString& page : overview.UnshownSubPages())
        add(page, T("1466"));
    return rows;
}

QStringList GroupHeaders()
{
    return {T("1071"), T("282"), T("1448"), T("1467")};
}

std::vector<OverviewRow> GroupRows(const ProjectOverview& overview)
{
    std::vector<OverviewRow> rows;
    for (const GroupEntry& g : overview.Groups()) {
        OverviewRow r;
        r.cells = {g.page, g.group, static_cast<int>(g.members.size()), Listed(g.members, QStringLiteral(", "))};
        r.page = g.page;
        r.element = g.members.value(0);
        if (g.members.isEmpty()) {
            r.cells[3] = T("1497");
            r.mark = Mark::Note;
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

QStringList ImageHeaders()
{
    return {T("277"), T("1468"), T("1469"), T("1449"), T("1470"), T("1496")};
}

std::vector<OverviewRow> ImageRows(const ProjectOverview& overview, const ProjectData& project)
{
    std::vector<OverviewRow> rows;
    for (const ImageEntry& image : overview.Images()) {
        OverviewRow r;
        const QString pixels = image.pixels.isValid()
            ? QStringLiteral("%1 × %2").arg(image.pixels.width()).arg(image.pixels.height())
            : QString();
        QString note;
        if (!image.hasFile) {
            note = T("1472");
            r.mark = Mark::Error;
        } else if (image.users.isEmpty()) {
            note = T("1471");
            r.mark = Mark::Warning;
        } else if (!image.listed) {
            note = T("1473");
            r.mark = Mark::Note;
        }
        r.cells = {image.name, pixels, image.hasFile ? QVariant(image.bytes) : QVariant(QString()),
                   static_cast<int>(image.users.size()), Listed(image.users, QStringLiteral(", ")), note};
        r.tip = Listed(image.users, QStringLiteral("\n"));
        if (image.hasFile)
            r.image = project.ImagePath(image.name);
        r.page = image.firstPage;
        r.element = image.firstElement;
        rows.push_back(std::move(r));
    }
    return rows;
}

}
