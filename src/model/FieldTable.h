#pragma once

#include "base/Colorref.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <type_traits>
#include <vector>

class JsonFields;
class MyFile;
class QJsonObject;
class XControl;

// How a stored field is written in an element record.
enum class FieldEncoding {
    Byte,     // two hex digits
    Word,     // four hex digits
    Dword,    // eight hex digits, signed
    Colour,   // a COLORREF
    String,   // a length word and UTF-16LE bytes
    Constant, // a word of fixed value, read and ignored
    Custom,   // a layout of its own (lists, nested records), written by hooks
};

namespace FieldFlag {
enum : unsigned {
    Look = 1u << 0,      // taken over by CopyAppearance (the format brush)
    Image = 1u << 1,     // names an image of the project's image folder, "NONE" for none
    Reference = 1u << 2, // names another element; "NONE" when it is cut
    Identity = 1u << 3,  // copied only with identity (the name)
    NotStored = 1u << 4, // copied with the element, but neither written nor described
    NoCopy = 1u << 5,    // written and described, but CopyFrom leaves it alone
    LookIfSet = 1u << 6, // taken over by CopyAppearance when the source's text is not empty
    StreamAddress = 1u << 7, // video stream addresses, several separated by ";"
    Ipv4Address = 1u << 8,   // a dotted IPv4 address
    Required = 1u << 9,      // an imported description must give it (the others keep their defaults)
};
}

// What a Reference row names.
enum class ReferenceTarget {
    None,
    Page,    // a page or sub-page of the project
    SubPage, // a sub-page of the project
    Control, // a control on the element's own page
    Group,   // an interlock group of the element's own page
};

// One field of an element class, type-erased: which encoding, from which record version
// on, under which name mvltool shows it, and how to reach its value. Rows are made with
// the Field helpers below, never by hand.
struct FieldRow {
    const char* name = "";
    FieldEncoding encoding = FieldEncoding::Word;
    int sinceVersion = 0; // first record version that holds the field
    int untilVersion = 255; // last record version that holds it
    unsigned flags = 0;
    qint64 constant = 0; // Constant rows: the value written
    // Number rows added in a later version: the value a record older than sinceVersion
    // gives the field, when it is not the class's default.
    bool hasOlderDefault = false;
    qint64 olderDefault = 0;
    ReferenceTarget refersTo = ReferenceTarget::None;

    qint64 (*getInt)(const XControl&) = nullptr;
    void (*setInt)(XControl&, qint64) = nullptr;
    QString (*getText)(const XControl&) = nullptr;
    void (*setText)(XControl&, const QString&) = nullptr;

    // Custom rows, and overrides for any row.
    bool (*save)(const XControl&, MyFile&) = nullptr;
    void (*load)(XControl&, MyFile&, int version) = nullptr;
    void (*describe)(const XControl&, QJsonObject&) = nullptr;
    void (*copy)(XControl&, const XControl&, bool withIdentity) = nullptr;
    // Custom rows: reads back from an element's description what describe wrote.
    void (*take)(XControl&, JsonFields&) = nullptr;

    bool Has(unsigned flag) const { return (flags & flag) != 0; }
    bool IsText() const { return encoding == FieldEncoding::String; }
    bool InVersion(int version) const { return version >= sinceVersion && version <= untilVersion; }

    // Chainable adjustments of a row made by a Field helper.
    FieldRow& Since(int version) { sinceVersion = version; return *this; }
    FieldRow& Until(int version) { untilVersion = version; return *this; }
    FieldRow& With(unsigned f) { flags |= f; return *this; }
    FieldRow& OlderDefault(qint64 value) { hasOlderDefault = true; olderDefault = value; return *this; }
    FieldRow& RefersTo(ReferenceTarget target) { refersTo = target; flags |= FieldFlag::Reference; return *this; }
    FieldRow& Takes(void (*t)(XControl&, JsonFields&)) { take = t; return *this; }
};

// The stored fields of one element class in record order, after the version and type
// bytes, with the record versions the class reads. Save, Load, the info description,
// CopyFrom, CopyAppearance and the image and reference look-ups all walk it.
class FieldTable {
public:
    FieldTable(int oldestVersion, int currentVersion, bool (*isInstance)(const XControl&),
               std::initializer_list<FieldRow> rows);
    // The rows of several parts in order, for classes that share runs of fields.
    FieldTable(int oldestVersion, int currentVersion, bool (*isInstance)(const XControl&),
               std::initializer_list<std::vector<FieldRow>> parts);

    int OldestVersion() const { return oldest; }
    int CurrentVersion() const { return current; }
    bool ReadsVersion(int version) const { return version >= oldest && version <= current; }
    const std::vector<FieldRow>& Rows() const { return rows; }
    const FieldRow* Find(const char* name) const;
    // Whether other is of the class (or a class derived from it) the table describes.
    bool IsInstance(const XControl& other) const { return isInstance(other); }

    // The record from the name on, as the class's current version writes it.
    bool Save(const XControl& control, MyFile& file) const;
    // The record from the name on, as the given version wrote it; a version outside
    // OldestVersion..CurrentVersion is refused. Image names the project does not hold
    // become "NONE".
    bool Load(XControl& control, MyFile& file, int version) const;
    void Describe(const XControl& control, QJsonObject& out) const;
    // The fields Describe writes, read back from an element's description with their
    // checks: numbers within what their encoding holds and what the element's property
    // row for the same field accepts, or at the value they have (a new element's). Fields
    // the description leaves out keep their values, except Required ones. False, with
    // fields failed, when it is refused.
    bool Take(XControl& control, JsonFields& fields) const;
    // The rows of other, which must be an instance; Identity rows only with identity.
    void Copy(XControl& control, const XControl& other, bool withIdentity) const;
    // The Look rows of other; images only when this control's project holds them.
    void CopyLook(XControl& control, const XControl& other) const;
    // The image names the control uses, "NONE" left out, in row order.
    QStringList ImageNames(const XControl& control) const;
    // Every Reference row becomes "NONE".
    void ClearReferences(XControl& control) const;

private:
    int oldest;
    int current;
    bool (*isInstance)(const XControl&);
    std::vector<FieldRow> rows;
};

// Rows from member pointers: Field::Word<&XRectangle::hollow>("hollow", FieldFlag::Look).
// The member may belong to the class or to any of its bases.
namespace Field {

namespace detail {
template <typename M> struct MemberTraits;
template <typename C, typename V> struct MemberTraits<V C::*> {
    using Class = C;
    using Value = V;
};
template <auto M> using ClassOf = typename MemberTraits<decltype(M)>::Class;
template <auto M> using ValueOf = typename MemberTraits<decltype(M)>::Value;

template <auto M> qint64 GetInt(const XControl& c)
{
    return static_cast<qint64>(static_cast<const ClassOf<M>&>(c).*M);
}
template <auto M> void SetInt(XControl& c, qint64 v)
{
    static_cast<ClassOf<M>&>(c).*M = static_cast<ValueOf<M>>(v);
}
template <auto M> QString GetText(const XControl& c)
{
    return static_cast<const ClassOf<M>&>(c).*M;
}
template <auto M> void SetText(XControl& c, const QString& v)
{
    static_cast<ClassOf<M>&>(c).*M = v;
}
template <auto M> FieldRow Number(const char* name, FieldEncoding encoding, unsigned flags)
{
    static_assert(std::is_integral_v<ValueOf<M>>, "a number field needs an integer member");
    FieldRow row;
    row.name = name;
    row.encoding = encoding;
    row.flags = flags;
    row.getInt = &GetInt<M>;
    row.setInt = &SetInt<M>;
    return row;
}
}

template <auto M> FieldRow Byte(const char* name, unsigned flags = 0)
{
    return detail::Number<M>(name, FieldEncoding::Byte, flags);
}
template <auto M> FieldRow Word(const char* name, unsigned flags = 0)
{
    return detail::Number<M>(name, FieldEncoding::Word, flags);
}
template <auto M> FieldRow Dword(const char* name, unsigned flags = 0)
{
    return detail::Number<M>(name, FieldEncoding::Dword, flags);
}
template <auto M> FieldRow Colour(const char* name, unsigned flags = 0)
{
    return detail::Number<M>(name, FieldEncoding::Colour, flags);
}
template <auto M> FieldRow String(const char* name, unsigned flags = 0)
{
    static_assert(std::is_same_v<detail::ValueOf<M>, QString>, "a string field needs a QString member");
    FieldRow row;
    row.name = name;
    row.encoding = FieldEncoding::String;
    row.flags = flags;
    row.getText = &detail::GetText<M>;
    row.setText = &detail::SetText<M>;
    return row;
}
// A field that is copied with the element but is not part of its record.
template <auto M> FieldRow Copied(const char* name, unsigned flags = 0)
{
    if constexpr (std::is_same_v<detail::ValueOf<M>, QString>)
        return String<M>(name, flags | FieldFlag::NotStored);
    else
        return detail::Number<M>(name, FieldEncoding::Word, flags | FieldFlag::NotStored);
}
// A string kept through accessors, such as a reference written under its present name.
FieldRow Text(const char* name, QString (*get)(const XControl&), void (*set)(XControl&, const QString&),
              unsigned flags = 0);
// A word of fixed value in the record; read and ignored.
FieldRow Constant(const char* name, qint64 value);
// A layout of its own (a list of screens, an older form read and dropped).
FieldRow Custom(const char* name, bool (*save)(const XControl&, MyFile&),
                void (*load)(XControl&, MyFile&, int version), void (*describe)(const XControl&, QJsonObject&),
                void (*copy)(XControl&, const XControl&, bool withIdentity), unsigned flags = 0);

// The element's name and its two defining points (x1, y1, x2, y2), as records start.
FieldRow Name();
FieldRow Bounds();

}

// The instance test of a table: Field::IsA<XButton>.
template <class T> bool IsA(const XControl& c)
{
    return dynamic_cast<const T*>(&c) != nullptr;
}
