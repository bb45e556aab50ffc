// mvltool diff A.mvl B.mvl [--json]: what differs between two projects, by page and
// element name, field by field under the names info uses.

#include "ToolCommands.h"

#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/ProjectDescription.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kSame = 0;
constexpr int kDiffer = 1;
constexpr int kNotLoaded = 2;
const QString kControls = QStringLiteral("controls");

struct Change {
    enum Kind { Added, Removed, Changed };
    Kind kind;
    QString page;    // empty: the project itself
    QString element; // empty: the page (or the project) itself
    QString type;    // the type key of an added or removed element
    QString field;   // changed: "sendCode", "channels[2].hdAddress", "position"
    QJsonValue from;
    QJsonValue to;
};
using Changes = std::vector<Change>;

// The elements of a list under their names; a name given more than once is told apart
// by its occurrence ("Name#2"), as a damaged or hand-made file may hold.
std::vector<std::pair<QString, QJsonObject>> Named(const QJsonArray& list)
{
    std::vector<std::pair<QString, QJsonObject>> named;
    QHash<QString, int> seen;
    for (const QJsonValue& v : list) {
        const QJsonObject o = v.toObject();
        const QString name = o.value(QStringLiteral("name")).toString();
        const int n = ++seen[name];
        named.emplace_back(n == 1 ? name : name + u'#' + QString::number(n), o);
    }
    return named;
}

int IndexOf(const std::vector<std::pair<QString, QJsonObject>>& named, const QString& name)
{
    for (size_t i = 0; i < named.size(); ++i)
        if (named[i].first == name)
            return static_cast<int>(i);
    return -1;
}

// Objects and lists of objects of one length are compared entry by entry, so that one
// changed address of a list shows as that address; anything else as a whole.
void CompareValues(const QString& path, const QJsonValue& a, const QJsonValue& b,
                   const std::function<void(const QString&, const QJsonValue&, const QJsonValue&)>& changed)
{
    if (a == b)
        return;
    if (a.isObject() && b.isObject()) {
        const QJsonObject oa = a.toObject();
        const QJsonObject ob = b.toObject();
        QStringList keys = oa.keys() + ob.keys();
        keys.removeDuplicates();
        keys.sort();
        for (const QString& key : keys)
            CompareValues(path.isEmpty() ? key : path + u'.' + key, oa.value(key), ob.value(key), changed);
        return;
    }
    const QJsonArray la = a.toArray();
    const QJsonArray lb = b.toArray();
    const auto allObjects = [](const QJsonArray& l) {
        return std::all_of(l.begin(), l.end(), [](const QJsonValue& v) { return v.isObject(); });
    };
    if (a.isArray() && b.isArray() && la.size() == lb.size() && allObjects(la) && allObjects(lb)) {
        for (qsizetype i = 0; i < la.size(); ++i)
            CompareValues(path + u'[' + QString::number(i) + u']', la.at(i), lb.at(i), changed);
        return;
    }
    changed(path, a, b);
}

void CompareFields(const QJsonObject& a, const QJsonObject& b, const QString& page, const QString& element,
                   Changes& changes)
{
    QJsonObject fa = a;
    QJsonObject fb = b;
    fa.remove(kControls);
    fb.remove(kControls);
    CompareValues(QString(), fa, fb, [&](const QString& field, const QJsonValue& from, const QJsonValue& to) {
        changes.push_back({Change::Changed, page, element, QString(), field, from, to});
    });
}

// Pages (page empty) or the controls of one page, matched by name.
void CompareLists(const QJsonArray& a, const QJsonArray& b, const QString& page, Changes& changes)
{
    const auto na = Named(a);
    const auto nb = Named(b);
    const auto place = [&page](const QString& name, QString& p, QString& e) {
        p = page.isEmpty() ? name : page;
        e = page.isEmpty() ? QString() : name;
    };
    const QString typeKey = QStringLiteral("typeKey");
    for (const auto& [name, o] : na) {
        if (IndexOf(nb, name) >= 0)
            continue;
        Change c{Change::Removed, {}, {}, o.value(typeKey).toString(), {}, {}, {}};
        place(name, c.page, c.element);
        changes.push_back(c);
    }
    for (const auto& [name, o] : nb) {
        if (IndexOf(na, name) >= 0)
            continue;
        Change c{Change::Added, {}, {}, o.value(typeKey).toString(), {}, {}, {}};
        place(name, c.page, c.element);
        changes.push_back(c);
    }
    // The names both hold, each side in its own order: a different order is a change of
    // the stacking (or page) order.
    QStringList commonA;
    QStringList commonB;
    for (const auto& [name, o] : na)
        if (IndexOf(nb, name) >= 0)
            commonA << name;
    for (const auto& [name, o] : nb)
        if (IndexOf(na, name) >= 0)
            commonB << name;
    for (const QString& name : commonA) {
        const QJsonObject& oa = na[static_cast<size_t>(IndexOf(na, name))].second;
        const QJsonObject& ob = nb[static_cast<size_t>(IndexOf(nb, name))].second;
        QString p;
        QString e;
        place(name, p, e);
        if (commonA.indexOf(name) != commonB.indexOf(name))
            changes.push_back({Change::Changed, p, e, QString(), QStringLiteral("position"), IndexOf(na, name),
                               IndexOf(nb, name)});
        CompareFields(oa, ob, p, e, changes);
        if (page.isEmpty())
            CompareLists(oa.value(kControls).toArray(), ob.value(kControls).toArray(), name, changes);
    }
}

QString Shown(const QJsonValue& v)
{
    if (v.isUndefined())
        return QStringLiteral("(none)");
    const QByteArray json = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

// "+ Lobby / Logo (PHOTO)", "~ Lobby / SceneWelcome: sendCode: 1 -> 101", "~ width: ...".
QString Line(const Change& c)
{
    QString place = c.page;
    if (!c.element.isEmpty())
        place += QStringLiteral(" / ") + c.element;
    if (c.kind != Change::Changed)
        return (c.kind == Change::Added ? QStringLiteral("+ ") : QStringLiteral("- ")) + place + QStringLiteral(" (")
               + c.type + u')';
    return QStringLiteral("~ ") + (place.isEmpty() ? QString() : place + QStringLiteral(": ")) + c.field
           + QStringLiteral(": ") + Shown(c.from) + QStringLiteral(" -> ") + Shown(c.to);
}

QJsonObject Json(const Changes& changes)
{
    static const char* const kKinds[] = {"added", "removed", "changed"};
    QJsonArray list;
    for (const Change& c : changes) {
        QJsonObject o;
        o.insert(QStringLiteral("change"), QLatin1String(kKinds[c.kind]));
        o.insert(QStringLiteral("page"), c.page);
        o.insert(QStringLiteral("element"), c.element);
        if (c.kind == Change::Changed) {
            o.insert(QStringLiteral("field"), c.field);
            o.insert(QStringLiteral("from"), c.from.isUndefined() ? QJsonValue() : c.from);
            o.insert(QStringLiteral("to"), c.to.isUndefined() ? QJsonValue() : c.to);
        } else {
            o.insert(QStringLiteral("type"), c.type);
        }
        list.append(o);
    }
    return QJsonObject{{QStringLiteral("same"), changes.empty()}, {QStringLiteral("changes"), list}};
}

} // namespace

int RunDiff(const QStringList& argsIn)
{
    QStringList args = argsIn;
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (args.size() != 2) {
        PrintError(QStringLiteral("usage: mvltool diff A.mvl B.mvl [--json]"));
        return kNotLoaded;
    }
    QJsonObject described[2];
    for (int i = 0; i < 2; ++i) {
        HeadlessMainDelegate delegate;
        ProjectData project;
        if (!LoadProjectForTool(args[i], delegate, project))
            return kNotLoaded;
        described[i] = ProjectDescription::Describe(project);
    }
    const QString pagesKey = QStringLiteral("pages");
    Changes changes;
    QJsonObject ra = described[0];
    QJsonObject rb = described[1];
    ra.remove(pagesKey);
    rb.remove(pagesKey);
    CompareFields(ra, rb, QString(), QString(), changes);
    CompareLists(described[0].value(pagesKey).toArray(), described[1].value(pagesKey).toArray(), QString(), changes);

    if (json) {
        std::fputs(QJsonDocument(Json(changes)).toJson().constData(), stdout);
    } else {
        for (const Change& c : changes)
            std::printf("%s\n", Line(c).toUtf8().constData());
    }
    return changes.empty() ? kSame : kDiffer;
}
