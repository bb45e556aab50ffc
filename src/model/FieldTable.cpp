#include "FieldTable.h"

#include "ControlProjectDataDelegate.h"
#include "JsonFields.h"
#include "MyFile.h"
#include "ProjectData.h"
#include "PropertyRows.h"
#include "WorkLimits.h"
#include "XControl.h"
#include "base/Translation.h"

#include <QFileInfo>
#include <QJsonObject>

#include <algorithm>
#include <limits>

namespace {

const QString kNone = QStringLiteral("NONE");

bool WriteNumber(MyFile& file, FieldEncoding encoding, qint64 v)
{
    switch (encoding) {
    case FieldEncoding::Byte: return file.WriteByte(static_cast<int>(v));
    case FieldEncoding::Word:
    case FieldEncoding::Constant: return file.WriteWord(static_cast<int>(v));
    case FieldEncoding::Dword: return file.WriteDword(static_cast<qint32>(v));
    case FieldEncoding::Colour: return file.WriteColor(static_cast<COLORREF>(v));
    default: return false;
    }
}

qint64 ReadNumber(MyFile& file, FieldEncoding encoding)
{
    switch (encoding) {
    case FieldEncoding::Byte: return file.ReadByte();
    case FieldEncoding::Word:
    case FieldEncoding::Constant: return file.ReadWord();
    case FieldEncoding::Dword: return file.ReadDword();
    case FieldEncoding::Colour: return file.ReadColor();
    default: return 0;
    }
}

// An image name counts only while it names a file in the project's image folder.
bool ImageExists(const ControlProjectDataDelegate* project, const QString& name)
{
    const ProjectData* data = project ? const_cast<ControlProjectDataDelegate*>(project)->GetProject() : nullptr;
    return data && data->ImageFileExists(name);
}

bool Stored(const FieldRow& row)
{
    return !row.Has(FieldFlag::NotStored);
}

// The rows an element's description holds: stored in the current record, not constant.
bool Described(const FieldRow& row, int current)
{
    return Stored(row) && row.encoding != FieldEncoding::Constant && row.InVersion(current);
}

// The values a number row takes: what its encoding holds, narrowed to what the
// element's property row for the same member accepts (both reach it through the same
// accessor).
void NumberRange(const XControl& control, const FieldRow& row, qint64& low, qint64& high)
{
    switch (row.encoding) {
    case FieldEncoding::Byte: low = 0; high = 0xFF; break;
    case FieldEncoding::Word: low = 0; high = 0xFFFF; break;
    case FieldEncoding::Colour: low = 0; high = 0xFFFFFF; break;
    default: low = std::numeric_limits<qint32>::min(); high = std::numeric_limits<qint32>::max(); break;
    }
    const PropertyTable* properties = control.Properties();
    if (!properties)
        return;
    for (const PropertyRow& p : properties->Rows()) {
        if (p.getInt != row.getInt)
            continue;
        qint64 pLow = low;
        qint64 pHigh = high;
        switch (p.kind) {
        case PropertyRowKind::Integer: pLow = p.low; pHigh = p.high; break;
        case PropertyRowKind::YesNo: pLow = 0; pHigh = 1; break;
        case PropertyRowKind::Choice:
            pLow = 0;
            pHigh = static_cast<qint64>(p.optionKeys.size()) + (p.leadingNone ? 1 : 0) - 1;
            break;
        default: break;
        }
        low = std::max(low, pLow);
        high = std::min(high, pHigh);
        return;
    }
}

} // namespace

FieldTable::FieldTable(int oldestVersion, int currentVersion, bool (*isInstance)(const XControl&),
                       std::initializer_list<FieldRow> rows)
    : oldest(oldestVersion), current(currentVersion), isInstance(isInstance), rows(rows)
{
}

FieldTable::FieldTable(int oldestVersion, int currentVersion, bool (*isInstance)(const XControl&),
                       std::initializer_list<std::vector<FieldRow>> parts)
    : oldest(oldestVersion), current(currentVersion), isInstance(isInstance)
{
    for (const auto& part : parts)
        rows.insert(rows.end(), part.begin(), part.end());
}

const FieldRow* FieldTable::Find(const char* name) const
{
    for (const FieldRow& row : rows)
        if (qstrcmp(row.name, name) == 0)
            return &row;
    return nullptr;
}

bool FieldTable::Save(const XControl& control, MyFile& file) const
{
    for (const FieldRow& row : rows) {
        if (!Stored(row) || !row.InVersion(current))
            continue;
        bool ok = false;
        if (row.save)
            ok = row.save(control, file);
        else if (row.encoding == FieldEncoding::Constant)
            ok = file.WriteWord(static_cast<int>(row.constant));
        else if (row.IsText())
            ok = file.WriteString(row.getText(control));
        else
            ok = WriteNumber(file, row.encoding, row.getInt(control));
        if (!ok)
            return false;
    }
    return true;
}

bool FieldTable::Load(XControl& control, MyFile& file, int version) const
{
    if (!ReadsVersion(version))
        return false;
    for (const FieldRow& row : rows) {
        if (!Stored(row))
            continue;
        if (!row.InVersion(version)) {
            if (row.hasOlderDefault && version < row.sinceVersion && row.setInt)
                row.setInt(control, row.olderDefault);
            continue;
        }
        if (file.Failed())
            return false;
        if (row.load)
            row.load(control, file, version);
        else if (row.encoding == FieldEncoding::Constant)
            file.ReadWord();
        else if (row.IsText())
            row.setText(control, file.ReadString());
        else
            row.setInt(control, ReadNumber(file, row.encoding));
    }
    if (file.Failed())
        return false;
    // A picture that is not in the image folder any more is shown as none.
    for (const FieldRow& row : rows) {
        if (!row.Has(FieldFlag::Image) || !row.getText)
            continue;
        const QString name = row.getText(control);
        if (name != kNone && !ImageExists(control.projectData, name)) {
            if (control.projectData)
                control.projectData->NoteMissingImage(&control, name);
            row.setText(control, kNone);
        }
    }
    control.recordVersion = current; // an older record is written back in the current form
    return true;
}

void FieldTable::Describe(const XControl& control, QJsonObject& out) const
{
    for (const FieldRow& row : rows) {
        if (!Described(row, current))
            continue;
        if (row.describe)
            row.describe(control, out);
        else if (row.IsText())
            out.insert(QLatin1String(row.name), row.getText(control));
        else if (row.getInt)
            out.insert(QLatin1String(row.name), row.getInt(control));
    }
}

bool FieldTable::Take(XControl& control, JsonFields& fields) const
{
    for (const FieldRow& row : rows) {
        if (!Described(row, current) || fields.Failed())
            continue;
        const QString key = QLatin1String(row.name);
        const bool required = row.Has(FieldFlag::Required);
        if (row.take) {
            row.take(control, fields);
        } else if (row.IsText()) {
            QString v;
            if (fields.Text(key, v, required))
                row.setText(control, v);
        } else if (row.setInt) {
            qint64 low = 0;
            qint64 high = 0;
            NumberRange(control, row, low, high);
            // What a new element holds is always good (a slider photo starts at 1 frame
            // though the pane asks for 2 or more).
            const qint64 fresh = row.getInt(control);
            low = std::min(low, fresh);
            high = std::max(high, fresh);
            qint64 v = 0;
            if (fields.Number(key, low, high, v, required))
                row.setInt(control, v);
        } else {
            // A field described by hand cannot come back without its own reader.
            fields.Refuse(key, Translate(QStringLiteral("2401")));
        }
    }
    return !fields.Failed();
}

void FieldTable::Copy(XControl& control, const XControl& other, bool withIdentity) const
{
    if (!IsInstance(other))
        return;
    for (const FieldRow& row : rows) {
        if (row.Has(FieldFlag::NoCopy) || (row.Has(FieldFlag::Identity) && !withIdentity))
            continue;
        if (row.copy)
            row.copy(control, other, withIdentity);
        else if (row.getText && row.setText)
            row.setText(control, row.getText(other));
        else if (row.getInt && row.setInt)
            row.setInt(control, row.getInt(other));
    }
}

void FieldTable::CopyLook(XControl& control, const XControl& other) const
{
    if (!IsInstance(other))
        return;
    for (const FieldRow& row : rows) {
        if (row.Has(FieldFlag::LookIfSet) && row.getText && row.setText) {
            const QString value = row.getText(other);
            if (!value.isEmpty())
                row.setText(control, value);
            continue;
        }
        if (!row.Has(FieldFlag::Look))
            continue;
        if (row.Has(FieldFlag::Image) && row.getText) {
            const QString name = row.getText(other);
            const bool held = control.projectData && control.projectData->HasImage(name);
            row.setText(control, held ? name : kNone);
        } else if (row.copy) {
            row.copy(control, other, false);
        } else if (row.getText && row.setText) {
            row.setText(control, row.getText(other));
        } else if (row.getInt && row.setInt) {
            row.setInt(control, row.getInt(other));
        }
    }
}

QStringList FieldTable::ImageNames(const XControl& control) const
{
    QStringList names;
    for (const FieldRow& row : rows) {
        if (!row.Has(FieldFlag::Image) || !row.getText)
            continue;
        const QString name = row.getText(control);
        if (!name.isEmpty() && name != kNone && !names.contains(name))
            names << name;
    }
    return names;
}

void FieldTable::ClearReferences(XControl& control) const
{
    for (const FieldRow& row : rows)
        if (row.Has(FieldFlag::Reference) && row.setText)
            row.setText(control, kNone);
}

// ---------------------------------------------------------------- row helpers

namespace Field {

FieldRow Text(const char* name, QString (*get)(const XControl&), void (*set)(XControl&, const QString&),
              unsigned flags)
{
    FieldRow row;
    row.name = name;
    row.encoding = FieldEncoding::String;
    row.flags = flags;
    row.getText = get;
    row.setText = set;
    return row;
}

FieldRow Constant(const char* name, qint64 value)
{
    FieldRow row;
    row.name = name;
    row.encoding = FieldEncoding::Constant;
    row.constant = value;
    row.flags = FieldFlag::NoCopy;
    return row;
}

FieldRow Custom(const char* name, bool (*save)(const XControl&, MyFile&),
                void (*load)(XControl&, MyFile&, int version), void (*describe)(const XControl&, QJsonObject&),
                void (*copy)(XControl&, const XControl&, bool withIdentity), unsigned flags)
{
    FieldRow row;
    row.name = name;
    row.encoding = FieldEncoding::Custom;
    row.flags = flags | (copy ? 0u : unsigned(FieldFlag::NoCopy));
    row.save = save;
    row.load = load;
    row.describe = describe;
    row.copy = copy;
    return row;
}

FieldRow Name()
{
    return Text(
        "name", [](const XControl& c) { return c.name; }, [](XControl& c, const QString& v) { c.name = v; },
        FieldFlag::Identity | FieldFlag::Required);
}

FieldRow Bounds()
{
    return Custom(
        "bounds", [](const XControl& c, MyFile& f) { return c.WriteBounds(f); },
        [](XControl& c, MyFile& f, int) { c.ReadBounds(f); },
        [](const XControl& c, QJsonObject& out) {
            out.insert(QStringLiteral("x1"), c.x1);
            out.insert(QStringLiteral("y1"), c.y1);
            out.insert(QStringLiteral("x2"), c.x2);
            out.insert(QStringLiteral("y2"), c.y2);
        },
        [](XControl& c, const XControl& o, bool) {
            c.x1 = o.x1;
            c.y1 = o.y1;
            c.x2 = o.x2;
            c.y2 = o.y2;
        })
        .Takes([](XControl& c, JsonFields& f) {
            // The loader's limit: anything further out would not load back.
            const std::pair<const char*, qint32*> points[] = {{"x1", &c.x1}, {"y1", &c.y1}, {"x2", &c.x2}, {"y2", &c.y2}};
            for (const auto& [key, v] : points) {
                qint64 n = 0;
                if (f.Number(QLatin1String(key), -WorkLimits::kMaxCoordinate, WorkLimits::kMaxCoordinate, n, true))
                    *v = static_cast<qint32>(n);
            }
        });
}

} // namespace Field
