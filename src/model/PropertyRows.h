#pragma once

#include "ElementTypes.h"
#include "FieldTable.h"
#include "PropertyGridModel.h"

#include <vector>

// What follows an accepted edit of a property row.
namespace PropertyEffect {
enum : unsigned {
    Redraw = 1u << 0,   // repaint the page
    Refit = 1u << 1,    // NormalizeBounds: the element's size follows its content
    Reselect = 1u << 2, // show the element's properties again (other rows changed)
};
}

// How a row shows its field: an integer in a range, a text, a colour, a list of
// translated options whose index is the value, yes/no ("141" = 1, "142" = 0), an image
// of the project, or a row handled wholly by its own functions.
enum class PropertyRowKind { Integer, Text, Colour, Choice, YesNo, Image, Special };

// One row of an element's property list, declared once: identifier (the row's data
// value), caption and description keys, kind, range with its message, options, and how
// an edited value reaches the element. The snapshot and undo record around an edit are
// XControl::OnPropertyChanged's alone.
struct PropertyRow {
    quint32 id = 0;
    const char* captionKey = "";
    const char* descriptionKey = nullptr;
    const char* hintKey = nullptr; // shown in grey while the value is empty
    PropertyRowKind kind = PropertyRowKind::Special;
    PropertyKind gridKind = PropertyKind::Text; // Special rows: how the grid shows them
    int low = 0;
    int high = 0;
    const char* rangeKey = nullptr;
    std::vector<const char*> optionKeys; // Choice: option texts in value order
    bool leadingNone = false;            // Choice: "NONE" before the translated options
    bool editable = false;               // Choice and Special option lists: free typing
    bool hasButton = false;
    unsigned effects = PropertyEffect::Redraw;

    qint64 (*getInt)(const XControl&) = nullptr;
    void (*setInt)(XControl&, qint64) = nullptr;
    QString (*getText)(const XControl&) = nullptr;
    void (*setText)(XControl&, const QString&) = nullptr;

    // Optional: whether the row can be edited now; the shown value of a Special row;
    // the options of a Special row; a Special row's own apply (true when it changed the
    // element, having put the old value back itself when it refused).
    bool (*isEnabled)(const XControl&) = nullptr;
    QVariant (*value)(XControl&) = nullptr;
    void (*fillOptions)(XControl&, CMFCMyPropertyGridProperty&) = nullptr;
    bool (*apply)(XControl&, CMFCMyPropertyGridProperty&) = nullptr;
    // A row with a button takes the button and a double click, whatever its dialog did.
    void (*button)(XControl&, CMFCMyPropertyGridProperty&) = nullptr;
    // Text rows: the value as it is kept (normalised), and whether it is accepted at all.
    QString (*normalise)(const QString&) = nullptr;
    bool (*acceptsText)(const XControl&, const QString&) = nullptr;

    PropertyRow& Describe(const char* key) { descriptionKey = key; return *this; }
    PropertyRow& Hint(const char* key) { hintKey = key; return *this; }
    PropertyRow& Effects(unsigned e) { effects = e; return *this; }
    PropertyRow& Button(void (*b)(XControl&, CMFCMyPropertyGridProperty&)) { hasButton = true; button = b; return *this; }
    PropertyRow& EnabledWhen(bool (*e)(const XControl&)) { isEnabled = e; return *this; }
    PropertyRow& Normalise(QString (*n)(const QString&)) { normalise = n; return *this; }
    PropertyRow& Accepts(bool (*a)(const XControl&, const QString&)) { acceptsText = a; return *this; }
};

// An element's property list in grid order (one group, caption "20").
class PropertyTable {
public:
    PropertyTable(std::initializer_list<PropertyRow> rows);
    PropertyTable(std::initializer_list<std::vector<PropertyRow>> parts);

    const std::vector<PropertyRow>& Rows() const { return rows; }
    const PropertyRow* Find(quint32 id) const;

    void Fill(XControl& element, PropertyGridModel& grid) const;
    // Applies an edited row; false when the element did not change (a refused value has
    // been put back into the row).
    bool Apply(XControl& element, CMFCMyPropertyGridProperty& property) const;

private:
    std::vector<PropertyRow> rows;
};

// Rows from member pointers, as the field table's helpers.
namespace Prop {

template <auto M> PropertyRow Int(quint32 id, const char* caption, int low, int high, const char* rangeKey)
{
    PropertyRow row;
    row.id = id;
    row.captionKey = caption;
    row.kind = PropertyRowKind::Integer;
    row.low = low;
    row.high = high;
    row.rangeKey = rangeKey;
    row.getInt = &Field::detail::GetInt<M>;
    row.setInt = &Field::detail::SetInt<M>;
    return row;
}
template <auto M> PropertyRow Colour(quint32 id, const char* caption)
{
    PropertyRow row;
    row.id = id;
    row.captionKey = caption;
    row.kind = PropertyRowKind::Colour;
    row.getInt = &Field::detail::GetInt<M>;
    row.setInt = &Field::detail::SetInt<M>;
    return row;
}
template <auto M> PropertyRow YesNo(quint32 id, const char* caption)
{
    PropertyRow row = Colour<M>(id, caption);
    row.kind = PropertyRowKind::YesNo;
    return row;
}
template <auto M> PropertyRow Choice(quint32 id, const char* caption, std::initializer_list<const char*> options,
                                     bool leadingNone = false)
{
    PropertyRow row = Colour<M>(id, caption);
    row.kind = PropertyRowKind::Choice;
    row.optionKeys = options;
    row.leadingNone = leadingNone;
    return row;
}
template <auto M> PropertyRow Text(quint32 id, const char* caption)
{
    PropertyRow row;
    row.id = id;
    row.captionKey = caption;
    row.kind = PropertyRowKind::Text;
    row.getText = &Field::detail::GetText<M>;
    row.setText = &Field::detail::SetText<M>;
    return row;
}
template <auto M> PropertyRow Image(quint32 id, const char* caption, const char* description)
{
    PropertyRow row = Text<M>(id, caption);
    row.kind = PropertyRowKind::Image;
    row.descriptionKey = description;
    return row;
}
// A row with its own value, options and apply.
PropertyRow Special(quint32 id, const char* caption, PropertyKind gridKind, QVariant (*value)(XControl&),
                    bool (*apply)(XControl&, CMFCMyPropertyGridProperty&),
                    void (*fillOptions)(XControl&, CMFCMyPropertyGridProperty&) = nullptr);

// Name, X1 and Y1, the rows every element list starts with; width and height.
std::vector<PropertyRow> NameRows();
std::vector<PropertyRow> SizeRows(unsigned effects = PropertyEffect::Redraw);

}

// The checks and look-ups property rows share with hand-written property code.
namespace PropertyHelpers {
// The integer of an edited row when it lies within low..high. Otherwise shows the range
// message of textKey formatted with the two bounds (caption "70"), puts old back into
// the row and returns false.
bool AcceptInt(CMFCMyPropertyGridProperty& property, int low, int high, const QString& textKey, int old,
               int& value);
// Index of the row's chosen text among options, or -1.
int ChosenIndex(const CMFCMyPropertyGridProperty& property, const QStringList& options);
// The translations of the given keys, in order.
QStringList Translated(std::initializer_list<const char*> keys);
// Marks the element as the owner of every row of the grid.
void SetOwner(PropertyGridModel& grid, XControl* owner);
}
