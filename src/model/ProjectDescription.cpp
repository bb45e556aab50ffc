#include "ProjectDescription.h"

#include "FieldTable.h"
#include "JsonFields.h"
#include "ProjectData.h"
#include "ScreenType.h"
#include "TypeRegistry.h"
#include "XPage.h"
#include "base/Translation.h"

#include <QJsonArray>
#include <QSet>

#include <memory>

namespace {

// A word counts the images, the pages and the controls of a page.
constexpr qsizetype kMaxListCount = 0xFFFF;
const QString kNone = QStringLiteral("NONE");

int TypeForKey(const QString& key)
{
    for (const ElementTypeInfo& info : TypeRegistry::All())
        if (key == QLatin1String(info.key))
            return info.type;
    return -1;
}

XControl* TakeElement(JsonFields& list, const QString& key, const QJsonArray& entries, int index,
                      ProjectDescription::ElementPlace place, const std::function<void(XControl*)>& link)
{
    if (!list.IsObjectAt(key, entries, index))
        return nullptr;
    JsonFields f = list.Entry(key, entries, index);
    const QString typeField = QStringLiteral("type");
    const QString keyField = QStringLiteral("typeKey");
    qint64 type = -1;
    QString typeKey;
    const bool hasNumber = f.Number(typeField, 0, TypeRegistry::kTypeCount - 1, type);
    const bool hasKey = f.Text(keyField, typeKey);
    if (f.Failed())
        return nullptr;
    if (hasKey) {
        const int fromKey = TypeForKey(typeKey);
        if (fromKey < 0) {
            f.Refuse(keyField, TranslateFormat(QStringLiteral("2407"), {typeKey}));
            return nullptr;
        }
        if (hasNumber && fromKey != type) {
            f.Refuse(keyField, TranslateFormat(QStringLiteral("2413"), {typeKey, QString::number(type)}));
            return nullptr;
        }
        type = fromKey;
    } else if (!hasNumber) {
        f.Refuse(typeField, Translate(QStringLiteral("2402")));
        return nullptr;
    }
    std::unique_ptr<XControl> element(CreateElement(static_cast<int>(type)));
    const FieldTable* table = element ? element->Fields() : nullptr;
    if (!table) {
        f.Refuse(typeField, TranslateFormat(QStringLiteral("2407"), {QString::number(type)}));
        return nullptr;
    }
    const bool isPage = dynamic_cast<XPage*>(element.get()) != nullptr;
    if (place == ProjectDescription::ElementPlace::Page && !isPage) {
        f.Refuse(typeField, TranslateFormat(QStringLiteral("2410"), {element->GetTypeKey()}));
        return nullptr;
    }
    if (place == ProjectDescription::ElementPlace::Control && isPage) {
        f.Refuse(typeField, Translate(QStringLiteral("2411")));
        return nullptr;
    }
    // Any version the class reads; the record is written in the current form regardless.
    qint64 version = 0;
    f.Number(QStringLiteral("recordVersion"), table->OldestVersion(), table->CurrentVersion(), version);
    link(element.get());
    if (!table->Take(*element, f) || !f.Finish())
        return nullptr;
    return element.release();
}

} // namespace

namespace ProjectDescription {

QJsonObject Describe(const ProjectData& project)
{
    QJsonObject root;
    root.insert(QStringLiteral("headerVersion"), project.loadedHeader.headerVersion);
    root.insert(QStringLiteral("buildVersion"), project.loadedHeader.buildVersion);
    root.insert(QStringLiteral("dataVersion"), project.loadedHeader.dataVersion);
    root.insert(QStringLiteral("width"), project.screen.width);
    root.insert(QStringLiteral("height"), project.screen.height);
    root.insert(QStringLiteral("images"), QJsonArray::fromStringList(project.images));
    QJsonArray pages;
    for (const XPage* p : project.pages) {
        QJsonObject o;
        p->DescribeFields(o);
        pages.append(o);
    }
    root.insert(QStringLiteral("pages"), pages);
    return root;
}

bool TakeElements(JsonFields& fields, const QString& key, ElementPlace place,
                  const std::function<void(XControl*)>& link, const std::function<void(XControl*)>& keep)
{
    QJsonArray list;
    if (!fields.List(key, kMaxListCount, list))
        return !fields.Failed();
    QSet<QString> names;
    for (int i = 0; i < list.size(); ++i) {
        XControl* element = TakeElement(fields, key, list, i, place, link);
        if (!element)
            return false;
        QString refusal;
        if (element->name.isEmpty())
            refusal = Translate(QStringLiteral("2421"));
        else if (place == ElementPlace::Page && element->name == kNone)
            refusal = Translate(QStringLiteral("2422"));
        else if (names.contains(element->name))
            refusal = TranslateFormat(QStringLiteral("2412"), {element->name});
        if (!refusal.isEmpty()) {
            delete element;
            return fields.Refuse(QStringLiteral("%1[%2].name").arg(key).arg(i), refusal);
        }
        names.insert(element->name);
        keep(element);
    }
    return true;
}

bool Build(const QJsonObject& description, ProjectData& project, QString& problem)
{
    problem.clear();
    JsonFields f(description, QString(), problem);
    // Read by a load, written anew by every save.
    for (const char* key : {"headerVersion", "buildVersion", "dataVersion"})
        f.Has(QLatin1String(key));
    qint64 width = 0;
    qint64 height = 0;
    f.Number(QStringLiteral("width"), kMinProjectSize, kMaxProjectSize, width, true);
    f.Number(QStringLiteral("height"), kMinProjectSize, kMaxProjectSize, height, true);
    project.screen.name.clear();
    project.screen.width = static_cast<int>(width);
    project.screen.height = static_cast<int>(height);

    const QString imagesKey = QStringLiteral("images");
    QJsonArray images;
    if (f.List(imagesKey, kMaxListCount, images)) {
        for (int i = 0; i < images.size() && !f.Failed(); ++i) {
            QString name;
            if (!f.TextAt(imagesKey, images, i, name))
                break;
            if (!IsPlainFileName(name))
                f.RefuseAt(imagesKey, i, TranslateFormat(QStringLiteral("2419"), {name}));
            else
                project.images.append(name);
        }
    }

    ControlMainDelegate* md = project.ElementMainDelegate();
    TakeElements(
        f, QStringLiteral("pages"), ElementPlace::Page,
        [&project, md](XControl* e) {
            e->mainDelegate = md;
            e->projectData = &project;
        },
        [&project](XControl* e) { project.pages.append(static_cast<XPage*>(e)); });
    if (!f.Finish()) {
        qDeleteAll(project.pages);
        project.pages.clear();
        project.images.clear();
        return false;
    }
    for (XPage* p : project.pages)
        p->ResolveReferences();
    return true;
}

} // namespace ProjectDescription
