#include "PropertyRows.h"

#include "ControlMainDelegate.h"
#include "ControlProjectDataDelegate.h"
#include "XControl.h"
#include "base/Translation.h"
#include "base/UiSeam.h"

namespace {

const QString kNone = QStringLiteral("NONE");
const QString kYesKey = QStringLiteral("141");
constexpr int kMinPosition = -5000;
constexpr int kMaxPosition = 5000;
constexpr int kMaxSize = 5000;

QStringList OptionTexts(const PropertyRow& row)
{
    QStringList options;
    if (row.leadingNone)
        options << kNone;
    for (const char* key : row.optionKeys)
        options << Translate(QString::fromLatin1(key));
    return options;
}

QStringList YesNoTexts()
{
    return PropertyHelpers::Translated({"141", "142"});
}

QString Description(const PropertyRow& row)
{
    return row.descriptionKey ? Translate(QString::fromLatin1(row.descriptionKey)) : QString();
}

// Captions are translation keys; a few ("X1", "Y1") are shown as they stand.
QString Caption(const char* key)
{
    const QString k = QString::fromLatin1(key);
    bool numeric = false;
    k.toInt(&numeric);
    return numeric ? Translate(k) : k;
}

CMFCMyPropertyGridProperty* AddRow(XControl& element, const PropertyRow& row, CMFCMyPropertyGridProperty& group)
{
    const QString caption = Caption(row.captionKey);
    const QString description = Description(row);
    switch (row.kind) {
    case PropertyRowKind::Integer:
        return group.AddInt(caption, static_cast<int>(row.getInt(element)), description, row.id);
    case PropertyRowKind::Text:
        return group.AddText(caption, row.getText(element), description, row.id);
    case PropertyRowKind::Colour: {
        auto* p = group.AddColor(caption, static_cast<COLORREF>(row.getInt(element)), description, row.id);
        p->buttonCaption = Translate(QStringLiteral("88"));
        return p;
    }
    case PropertyRowKind::Choice: {
        const QStringList options = OptionTexts(row);
        return group.AddOptions(caption, options.value(static_cast<int>(row.getInt(element))), options,
                                row.editable, description, row.id);
    }
    case PropertyRowKind::YesNo: {
        const QStringList options = YesNoTexts();
        return group.AddOptions(caption, options.value(row.getInt(element) ? 0 : 1), options, false, description,
                                row.id);
    }
    case PropertyRowKind::Image: {
        auto* p = group.AddOptions(caption, row.getText(element), {}, false, description, row.id);
        if (element.projectData)
            element.projectData->FillImageOptions(*p);
        else
            p->AddOption(kNone);
        p->hasButton = true;
        return p;
    }
    case PropertyRowKind::Special: {
        const QVariant value = row.value ? row.value(element) : QVariant();
        CMFCMyPropertyGridProperty* p = nullptr;
        switch (row.gridKind) {
        case PropertyKind::Integer: p = group.AddInt(caption, value.toInt(), description, row.id); break;
        case PropertyKind::Color: p = group.AddColor(caption, value.toUInt(), description, row.id); break;
        case PropertyKind::Options:
            p = group.AddOptions(caption, value.toString(), {}, row.editable, description, row.id);
            break;
        case PropertyKind::Font: p = group.AddFont(caption, value.toString(), {}, description, row.id); break;
        default: p = group.AddText(caption, value.toString(), description, row.id); break;
        }
        return p;
    }
    }
    return nullptr;
}

// The value the row shows now, to put back after a refusal.
QVariant ShownValue(XControl& element, const PropertyRow& row)
{
    switch (row.kind) {
    case PropertyRowKind::Integer:
    case PropertyRowKind::Colour: return static_cast<qint64>(row.getInt(element));
    case PropertyRowKind::Choice: return OptionTexts(row).value(static_cast<int>(row.getInt(element)));
    case PropertyRowKind::YesNo: return YesNoTexts().value(row.getInt(element) ? 0 : 1);
    case PropertyRowKind::Text:
    case PropertyRowKind::Image: return row.getText(element);
    case PropertyRowKind::Special: return row.value ? row.value(element) : QVariant();
    }
    return {};
}

bool ApplyValue(XControl& element, const PropertyRow& row, CMFCMyPropertyGridProperty& property)
{
    auto refuse = [&] {
        property.SetValue(ShownValue(element, row));
        return false;
    };
    switch (row.kind) {
    case PropertyRowKind::Integer: {
        const int old = static_cast<int>(row.getInt(element));
        int v = 0;
        if (!PropertyHelpers::AcceptInt(property, row.low, row.high, QString::fromLatin1(row.rangeKey), old, v)
            || v == old)
            return false;
        row.setInt(element, v);
        return true;
    }
    case PropertyRowKind::Colour: {
        const COLORREF c = property.GetColor() & 0xFFFFFF;
        if (c == static_cast<COLORREF>(row.getInt(element)))
            return false;
        row.setInt(element, c);
        return true;
    }
    case PropertyRowKind::Choice: {
        const int v = PropertyHelpers::ChosenIndex(property, OptionTexts(row));
        if (v < 0)
            return refuse();
        if (v == row.getInt(element))
            return false;
        row.setInt(element, v);
        return true;
    }
    case PropertyRowKind::YesNo: {
        const int v = property.GetText() == Translate(kYesKey) ? 1 : 0;
        if (v == row.getInt(element))
            return false;
        row.setInt(element, v);
        return true;
    }
    case PropertyRowKind::Text: {
        QString v = property.GetText();
        if (row.acceptsText && !row.acceptsText(element, v))
            return refuse();
        if (row.normalise) {
            v = row.normalise(v);
            property.SetValue(v);
        }
        if (v == row.getText(element))
            return false;
        row.setText(element, v);
        return true;
    }
    case PropertyRowKind::Image: {
        const QString v = property.GetText();
        if (v != kNone && !(element.projectData && element.projectData->HasImage(v)))
            return refuse();
        if (v == row.getText(element))
            return false;
        row.setText(element, v);
        return true;
    }
    case PropertyRowKind::Special: return row.apply ? row.apply(element, property) : false;
    }
    return false;
}

} // namespace

PropertyTable::PropertyTable(std::initializer_list<PropertyRow> rows) : rows(rows) {}

PropertyTable::PropertyTable(std::initializer_list<std::vector<PropertyRow>> parts)
{
    for (const auto& part : parts)
        rows.insert(rows.end(), part.begin(), part.end());
}

const PropertyRow* PropertyTable::Find(quint32 id) const
{
    for (const PropertyRow& row : rows)
        if (row.id == id)
            return &row;
    return nullptr;
}

void PropertyTable::Fill(XControl& element, PropertyGridModel& grid) const
{
    grid.RemoveAll();
    CMFCMyPropertyGridProperty* group = grid.AddGroup(Translate(QStringLiteral("20")));
    for (const PropertyRow& row : rows) {
        CMFCMyPropertyGridProperty* p = AddRow(element, row, *group);
        if (!p)
            continue;
        if (row.fillOptions)
            row.fillOptions(element, *p);
        if (row.hasButton)
            p->hasButton = true;
        if (row.isEnabled)
            p->enabled = row.isEnabled(element);
        if (row.hintKey)
            p->placeholder = Translate(QString::fromLatin1(row.hintKey));
    }
    PropertyHelpers::SetOwner(grid, &element);
}

bool PropertyTable::Apply(XControl& element, CMFCMyPropertyGridProperty& property) const
{
    const PropertyRow* row = Find(property.data);
    if (!row || !ApplyValue(element, *row, property))
        return false;
    if (row->effects & PropertyEffect::Refit)
        element.NormalizeBounds();
    if (row->effects & PropertyEffect::Redraw)
        element.InvalidatePageWindow();
    if ((row->effects & PropertyEffect::Reselect) && element.mainDelegate)
        element.mainDelegate->SelectElement(&element);
    return true;
}

namespace Prop {

PropertyRow Special(quint32 id, const char* caption, PropertyKind gridKind, QVariant (*value)(XControl&),
                    bool (*apply)(XControl&, CMFCMyPropertyGridProperty&),
                    void (*fillOptions)(XControl&, CMFCMyPropertyGridProperty&))
{
    PropertyRow row;
    row.id = id;
    row.captionKey = caption;
    row.kind = PropertyRowKind::Special;
    row.gridKind = gridKind;
    row.value = value;
    row.apply = apply;
    row.fillOptions = fillOptions;
    row.effects = 0; // a special row does its own redrawing
    return row;
}

std::vector<PropertyRow> NameRows()
{
    PropertyRow name = Special(
        PropertyId::kName, "82", PropertyKind::Text, [](XControl& c) -> QVariant { return c.name; },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            if (p.GetText() == c.name)
                return false;
            if (c.Rename(p.GetText())) {
                c.InvalidatePageWindow();
                return true;
            }
            p.SetValue(c.name);
            return false;
        });
    auto position = [](quint32 id, const char* caption, const char* description) {
        PropertyRow row = Special(
            id, caption, PropertyKind::Integer,
            [](XControl& c) -> QVariant { return c.x1; }, nullptr);
        row.descriptionKey = description;
        return row;
    };
    PropertyRow x1 = position(PropertyId::kX1, "X1", "107");
    x1.apply = [](XControl& c, CMFCMyPropertyGridProperty& p) {
        int v = 0;
        if (!PropertyHelpers::AcceptInt(p, kMinPosition, kMaxPosition, QStringLiteral("114"), c.x1, v) || v == c.x1)
            return false;
        c.MoveBy(v - c.x1, 0);
        c.InvalidatePageWindow();
        return true;
    };
    PropertyRow y1 = position(PropertyId::kY1, "Y1", "108");
    y1.value = [](XControl& c) -> QVariant { return c.y1; };
    y1.apply = [](XControl& c, CMFCMyPropertyGridProperty& p) {
        int v = 0;
        if (!PropertyHelpers::AcceptInt(p, kMinPosition, kMaxPosition, QStringLiteral("114"), c.y1, v) || v == c.y1)
            return false;
        c.MoveBy(0, v - c.y1);
        c.InvalidatePageWindow();
        return true;
    };
    return {name, x1, y1};
}

std::vector<PropertyRow> SizeRows(unsigned effects)
{
    auto size = [effects](bool width) {
        PropertyRow row = Special(
            width ? PropertyId::kWidth : PropertyId::kHeight, width ? "83" : "84", PropertyKind::Integer,
            width ? +[](XControl& c) -> QVariant { return c.Bounds().Width(); }
                  : +[](XControl& c) -> QVariant { return c.Bounds().Height(); },
            nullptr);
        row.apply = width ? +[](XControl& c, CMFCMyPropertyGridProperty& p) { return c.ApplySize(p, true); }
                          : +[](XControl& c, CMFCMyPropertyGridProperty& p) { return c.ApplySize(p, false); };
        row.effects = effects & ~unsigned(PropertyEffect::Redraw);
        return row;
    };
    return {size(true), size(false)};
}

} // namespace Prop

namespace PropertyHelpers {

bool AcceptInt(CMFCMyPropertyGridProperty& property, int low, int high, const QString& textKey, int old,
               int& value)
{
    bool ok = false;
    const qlonglong v = property.GetValue().toLongLong(&ok);
    if (!ok || v < low || v > high) {
        ShowMessageText(TranslateFormat(textKey, RangeArgs(low, high)), QStringLiteral("70"));
        property.SetValue(old);
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

int ChosenIndex(const CMFCMyPropertyGridProperty& property, const QStringList& options)
{
    return static_cast<int>(options.indexOf(property.GetText()));
}

QStringList Translated(std::initializer_list<const char*> keys)
{
    QStringList texts;
    for (const char* key : keys)
        texts << Translate(QString::fromLatin1(key));
    return texts;
}

namespace {
void SetOwnerOf(CMFCMyPropertyGridProperty& row, XControl* owner)
{
    row.owner = owner;
    for (const auto& child : row.SubItems())
        SetOwnerOf(*child, owner);
}
}

void SetOwner(PropertyGridModel& grid, XControl* owner)
{
    for (const auto& group : grid.Groups())
        SetOwnerOf(*group, owner);
}

} // namespace PropertyHelpers
