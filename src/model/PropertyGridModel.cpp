#include "PropertyGridModel.h"

CMFCMyPropertyGridProperty::CMFCMyPropertyGridProperty(PropertyKind kind, const QString& caption,
                                                       const QVariant& value,
                                                       const QString& description, quint32 data)
    : kind(kind), caption(caption), description(description), data(data), value(value),
      originalValue(value)
{
}

void CMFCMyPropertyGridProperty::SetValue(const QVariant& newValue)
{
    value = newValue;
    if (grid)
        grid->NotifyValueSet(this);
}

CMFCMyPropertyGridProperty*
CMFCMyPropertyGridProperty::AddSubItem(std::unique_ptr<CMFCMyPropertyGridProperty> item)
{
    item->parent = this;
    item->grid = grid;
    children.push_back(std::move(item));
    return children.back().get();
}

CMFCMyPropertyGridProperty* CMFCMyPropertyGridProperty::AddText(const QString& caption,
                                                                const QString& value,
                                                                const QString& description,
                                                                quint32 data)
{
    return AddSubItem(std::make_unique<CMFCMyPropertyGridProperty>(PropertyKind::Text, caption, value,
                                                                   description, data));
}

CMFCMyPropertyGridProperty* CMFCMyPropertyGridProperty::AddInt(const QString& caption, int value,
                                                               const QString& description,
                                                               quint32 data)
{
    return AddSubItem(std::make_unique<CMFCMyPropertyGridProperty>(PropertyKind::Integer, caption,
                                                                   value, description, data));
}

CMFCMyPropertyGridProperty*
CMFCMyPropertyGridProperty::AddOptions(const QString& caption, const QString& value,
                                       const QStringList& options, bool allowEdit,
                                       const QString& description, quint32 data)
{
    auto* p = AddSubItem(std::make_unique<CMFCMyPropertyGridProperty>(PropertyKind::Options, caption,
                                                                      value, description, data));
    p->options = options;
    p->allowEdit = allowEdit;
    return p;
}

CMFCMyPropertyGridProperty* CMFCMyPropertyGridProperty::AddColor(const QString& caption,
                                                                 COLORREF value,
                                                                 const QString& description,
                                                                 quint32 data)
{
    return AddSubItem(std::make_unique<CMFCMyPropertyGridProperty>(
        PropertyKind::Color, caption, QVariant::fromValue<uint>(value), description, data));
}

CMFCMyPropertyGridProperty*
CMFCMyPropertyGridProperty::AddFont(const QString& caption, const QString& family,
                                    const QStringList& families, const QString& description,
                                    quint32 data)
{
    auto* p = AddSubItem(std::make_unique<CMFCMyPropertyGridProperty>(PropertyKind::Font, caption,
                                                                      family, description, data));
    p->options = families;
    p->allowEdit = false;
    return p;
}

CMFCMyPropertyGridProperty* PropertyGridModel::AddGroup(const QString& caption)
{
    auto group = std::make_unique<CMFCMyPropertyGridProperty>(PropertyKind::Group, caption, QVariant(),
                                                              QString(), 0);
    group->grid = this;
    groups.push_back(std::move(group));
    return groups.back().get();
}

namespace {
using Rows = std::vector<std::unique_ptr<CMFCMyPropertyGridProperty>>;

// Same rows in the same order, with the same captions, options and states.
bool SameShape(const Rows& a, const Rows& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const CMFCMyPropertyGridProperty& x = *a[i];
        const CMFCMyPropertyGridProperty& y = *b[i];
        if (x.kind != y.kind || x.data != y.data || x.caption != y.caption || x.options != y.options
            || x.enabled != y.enabled || x.hasButton != y.hasButton || x.placeholder != y.placeholder
            || !SameShape(x.SubItems(), y.SubItems()))
            return false;
    }
    return true;
}

void TakeValues(const Rows& to, const Rows& from)
{
    for (size_t i = 0; i < to.size(); ++i) {
        if (to[i]->kind != PropertyKind::Group && to[i]->GetValue() != from[i]->GetValue())
            to[i]->SetValue(from[i]->GetValue());
        TakeValues(to[i]->SubItems(), from[i]->SubItems());
    }
}

CMFCMyPropertyGridProperty* FindIn(const std::vector<std::unique_ptr<CMFCMyPropertyGridProperty>>& items,
                                   quint32 data)
{
    for (const auto& item : items) {
        if (item->kind != PropertyKind::Group && item->data == data)
            return item.get();
        if (auto* found = FindIn(item->SubItems(), data))
            return found;
    }
    return nullptr;
}
}

CMFCMyPropertyGridProperty* PropertyGridModel::FindByData(quint32 data) const
{
    return FindIn(groups, data);
}

int PropertyGridModel::RowCount() const
{
    int n = 0;
    for (const auto& g : groups)
        n += static_cast<int>(g->SubItems().size());
    return n;
}

bool PropertyGridModel::TakeValuesFrom(const PropertyGridModel& fresh)
{
    if (!SameShape(groups, fresh.groups))
        return false;
    TakeValues(groups, fresh.groups);
    return true;
}

void PropertyGridModel::NotifyValueSet(CMFCMyPropertyGridProperty* property)
{
    if (observer)
        observer->PropertyValueSet(property);
}
