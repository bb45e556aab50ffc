#include "FieldTable.h"

#include "ControlProjectDataDelegate.h"
#include "MyFile.h"
#include "ProjectData.h"
#include "XControl.h"

#include <QFileInfo>
#include <QJsonObject>

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
        if (!Stored(row) || row.encoding == FieldEncoding::Constant || !row.InVersion(current))
            continue;
        if (row.describe)
            row.describe(control, out);
        else if (row.IsText())
            out.insert(QLatin1String(row.name), row.getText(control));
        else if (row.getInt)
            out.insert(QLatin1String(row.name), row.getInt(control));
    }
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
        FieldFlag::Identity);
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
        });
}

} // namespace Field
