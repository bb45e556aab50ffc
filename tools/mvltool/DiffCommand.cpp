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
// by its occurrence ("Name#2"), as a damaged or hand-made file may hold. Look-ups go
// through a hash: a page may hold tens of thousands of controls.
struct NamedList {
    std::vector<std::pair<QString, QJsonObject>> entries;
    QHash<QString, int> index;

    explicit NamedList(const QJsonArray& list)
    {
        QHash<QString, int> seen;
        for (const QJsonValue& v : list) {
            const QJsonObject o = v.toObject();
            const QString name = o.value(QStringLiteral("name")).toString();
            const int n = ++seen[name];
            const QString key = n == 1 ? name : name + u'#' + QString::number(n);
            index.insert(key, static_cast<int>(entries.size()));
            entries.emplace_back(key, o);
        }
    }
    int IndexOf(const QString& name) const { return index.value(name, -1); }
    // The names other holds too, in this list's order, each with its place among them.
    QHash<QString, int> CommonPlaces(const NamedList& other) const
    {
        QHash<QString, int> places;
        for (const auto& entry : entries)
            if (other.IndexOf(entry.first) >= 0)
                places.insert(entry.first, static_cast<int>(places.size()));
        return places;
    }
};

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
    const NamedList na(a);
    const NamedList nb(b);
    const auto place = [&page](const QString& name, QString& p, QString& e) {
        p = page.isEmpty() ? name : page;
        e = page.isEmpty() ? QString() : name;
    };
    const auto onlyIn = [&](const NamedList& from, const NamedList& other, Change::Kind kind) {
        for (const auto& [name, o] : from.entries) {
            if (other.IndexOf(name) >= 0)
                continue;
            Change c{kind, {}, {}, o.value(QStringLiteral("typeKey")).toString(), {}, {}, {}};
            place(name, c.page, c.element);
            changes.push_back(c);
        }
    };
    onlyIn(na, nb, Change::Removed);
    onlyIn(nb, na, Change::Added);
    // The names both hold, each side in its own order: another place among them is a
    // change of the stacking (or page) order.
    const QHash<QString, int> placesA = na.CommonPlaces(nb);
    const QHash<QString, int> placesB = nb.CommonPlaces(na);
    for (const auto& [name, oa] : na.entries) {
        const int inB = nb.IndexOf(name);
        if (inB < 0)
            continue;
        const QJsonObject& ob = nb.entries[static_cast<size_t>(inB)].second;
        QString p;
        QString e;
        place(name, p, e);
        if (placesA.value(name) != placesB.value(name))
            changes.push_back({Change::Changed, p, e, QString(), QStringLiteral("position"), na.IndexOf(name), inB});
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
        return UsageError("diff");
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
