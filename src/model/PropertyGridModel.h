#pragma once

#include "base/Colorref.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

class PropertyGridModel;
class XControl;

enum class PropertyKind { Group, Text, Integer, Options, Color, Font };

// One row of the property grid (or a group of rows). The element that fills the grid
// creates its rows with their current values; the grid widget shows and edits them and
// hands an edited row back to the element's OnPropertyChanged, which reads the value and
// may put the old one back with SetValue.
class CMFCMyPropertyGridProperty {
public:
    CMFCMyPropertyGridProperty(PropertyKind kind, const QString& caption, const QVariant& value,
                               const QString& description, quint32 data);

    PropertyKind kind;
    QString caption;
    QString description;
    quint32 data = 0;          // which of the owner's properties this row is; 0 is the name
    QStringList options;       // for Options (and the family list of Font)
    bool allowEdit = true;     // Options: the user may type a value that is not listed
    bool enabled = true;
    bool hasButton = false;    // shows a button that reaches the owner's OnPropertyButton
    QString buttonCaption;     // Color: caption of the further-colours button
    XControl* owner = nullptr;
    QString placeholder;       // shown in grey while the value is empty

    QString GetText() const { return value.toString(); }
    int GetInt() const { return value.toInt(); }
    COLORREF GetColor() const { return static_cast<COLORREF>(value.toUInt()); }
    const QVariant& GetValue() const { return value; }
    const QVariant& GetOriginalValue() const { return originalValue; }
    bool IsModified() const { return value != originalValue; }

    // Changes the shown value (the grid is told, so the widget follows).
    void SetValue(const QVariant& newValue);
    // What the widget calls when the user commits an edit; no notification.
    void SetValueFromEditor(const QVariant& newValue) { value = newValue; }
    void AddOption(const QString& option) { options << option; }

    // Group rows
    CMFCMyPropertyGridProperty* AddSubItem(std::unique_ptr<CMFCMyPropertyGridProperty> item);
    CMFCMyPropertyGridProperty* AddText(const QString& caption, const QString& value,
                                        const QString& description, quint32 data);
    CMFCMyPropertyGridProperty* AddInt(const QString& caption, int value,
                                       const QString& description, quint32 data);
    CMFCMyPropertyGridProperty* AddOptions(const QString& caption, const QString& value,
                                           const QStringList& options, bool allowEdit,
                                           const QString& description, quint32 data);
    CMFCMyPropertyGridProperty* AddColor(const QString& caption, COLORREF value,
                                         const QString& description, quint32 data);
    CMFCMyPropertyGridProperty* AddFont(const QString& caption, const QString& family,
                                        const QStringList& families, const QString& description,
                                        quint32 data);
    const std::vector<std::unique_ptr<CMFCMyPropertyGridProperty>>& SubItems() const { return children; }
    CMFCMyPropertyGridProperty* Parent() const { return parent; }

private:
    friend class PropertyGridModel;
    QVariant value;
    QVariant originalValue;
    CMFCMyPropertyGridProperty* parent = nullptr;
    PropertyGridModel* grid = nullptr;
    std::vector<std::unique_ptr<CMFCMyPropertyGridProperty>> children;
};

// Told when an element changes a shown value (a refused edit puts the old one back).
class PropertyGridObserver {
public:
    virtual ~PropertyGridObserver() = default;
    virtual void PropertyValueSet(CMFCMyPropertyGridProperty* property) = 0;
};

// The contents of the property grid: groups of rows, filled by an element's FillProperties.
class PropertyGridModel {
public:
    void RemoveAll() { groups.clear(); }
    CMFCMyPropertyGridProperty* AddGroup(const QString& caption);
    const std::vector<std::unique_ptr<CMFCMyPropertyGridProperty>>& Groups() const { return groups; }
    CMFCMyPropertyGridProperty* FindByData(quint32 data) const;
    int RowCount() const;
    // Gives every row the value of the same row of a fresh fill of the same element (the
    // grid is told of each that differs; what the user changed stays marked). False, and
    // nothing changed, when the fill differs in more than values: it must be shown anew.
    bool TakeValuesFrom(const PropertyGridModel& fresh);

    void SetObserver(PropertyGridObserver* o) { observer = o; }
    void NotifyValueSet(CMFCMyPropertyGridProperty* property);

private:
    std::vector<std::unique_ptr<CMFCMyPropertyGridProperty>> groups;
    PropertyGridObserver* observer = nullptr;
};
