#include "base/Translation.h"
#include "model/FieldTable.h"
#include "model/MyFile.h"
#include "model/PropertyRows.h"
#include "model/XControl.h"

#include "support/ScriptedUi.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

// An element whose record exercises every kind of row: a field that appears in version
// 1, one that was dropped after version 0, a constant, a list, a reference, an image, a
// field kept only in memory, and one that copies never take over.
class Probe : public XControl {
public:
    int GetType() const override { return 2; }
    void Draw(QPainter&) override {}
    void Refresh() override {}
    const FieldTable* Fields() const override
    {
        static const FieldTable table(0, 1, &IsA<Probe>, {
            Field::Constant("marker", 7),
            Field::Name(),
            Field::Bounds(),
            Field::Word<&Probe::level>("level", FieldFlag::Look),
            Field::Byte<&Probe::oldFlag>("oldFlag").Until(0),
            Field::String<&Probe::label>("label").Since(1),
            Field::Colour<&Probe::tint>("tint", FieldFlag::Look),
            Field::String<&Probe::picture>("picture", FieldFlag::Image | FieldFlag::Look),
            Field::String<&Probe::target>("targetName", FieldFlag::Reference),
            Field::Dword<&Probe::serialNumber>("serialNumber", FieldFlag::NoCopy),
            Field::Custom(
                "items",
                [](const XControl& c, MyFile& f) {
                    const auto& p = static_cast<const Probe&>(c);
                    if (!f.WriteWord(static_cast<int>(p.items.size())))
                        return false;
                    for (const QString& item : p.items)
                        if (!f.WriteString(item))
                            return false;
                    return true;
                },
                [](XControl& c, MyFile& f, int) {
                    auto& p = static_cast<Probe&>(c);
                    const int count = f.ReadWord();
                    for (int i = 0; i < count && !f.Failed(); ++i)
                        p.items << f.ReadString();
                },
                [](const XControl& c, QJsonObject& out) {
                    out.insert(QStringLiteral("items"), QJsonArray::fromStringList(static_cast<const Probe&>(c).items));
                },
                [](XControl& c, const XControl& o, bool) {
                    static_cast<Probe&>(c).items = static_cast<const Probe&>(o).items;
                }),
            Field::Copied<&Probe::scratch>("scratch"),
        });
        return &table;
    }

    int level = 3;
    int oldFlag = 0;
    QString label = QStringLiteral("default");
    COLORREF tint = 0x123456;
    QString picture = QStringLiteral("NONE");
    QString target = QStringLiteral("NONE");
    qint32 serialNumber = 0;
    QStringList items;
    QString scratch;
};

QByteArray Record(const Probe& p)
{
    MyFile f;
    f.OpenWriteMemory();
    EXPECT_TRUE(const_cast<Probe&>(p).Save(f));
    return f.Written();
}

// The items after the version and type bytes, written by hand from the table above.
QByteArray Body(int version, bool withOldFlag, bool withLabel)
{
    MyFile f;
    f.OpenWriteMemory();
    f.WriteByte(version);
    f.WriteByte(2);
    f.WriteWord(7);
    f.WriteString(QStringLiteral("P-1"));
    for (qint32 v : {1, -2, 300, 400})
        f.WriteDword(v);
    f.WriteWord(9);
    if (withOldFlag)
        f.WriteByte(1);
    if (withLabel)
        f.WriteString(QStringLiteral("hello"));
    f.WriteColor(0xABCDEF);
    f.WriteString(QStringLiteral("NONE"));
    f.WriteString(QStringLiteral("PAGE-2"));
    f.WriteDword(-77);
    f.WriteWord(2);
    f.WriteString(QStringLiteral("one"));
    f.WriteString(QStringLiteral("two"));
    return f.Written();
}

bool LoadInto(Probe& p, const QByteArray& bytes)
{
    MyFile f;
    f.OpenReadData(bytes);
    const int version = f.ReadByte();
    f.ReadByte(); // type
    return p.Load(f, version) && f.AtEnd();
}

} // namespace

TEST(FieldTable, RecordVersionsDecideWhichFieldsAreRead)
{
    Probe old;
    ASSERT_TRUE(LoadInto(old, Body(0, true, false)));
    EXPECT_EQ(old.oldFlag, 1);
    EXPECT_EQ(old.label, QStringLiteral("default")) << "a field of version 1 is not read from version 0";
    EXPECT_EQ(old.tint, 0xABCDEFu);
    EXPECT_EQ(old.recordVersion, 1) << "an old record is written back in the current form";

    Probe current;
    ASSERT_TRUE(LoadInto(current, Body(1, false, true)));
    EXPECT_EQ(current.label, QStringLiteral("hello"));
    EXPECT_EQ(current.oldFlag, 0) << "a field dropped after version 0 is not read from version 1";
    EXPECT_EQ(current.target, QStringLiteral("PAGE-2"));
    EXPECT_EQ(current.serialNumber, -77);
    EXPECT_EQ(current.items, (QStringList{QStringLiteral("one"), QStringLiteral("two")}));

    // Written back in the current form, byte for byte as the hand-written version-1 record.
    EXPECT_EQ(Record(current), Body(1, false, true));
    old.label = QStringLiteral("hello");
    EXPECT_EQ(Record(old), Body(1, false, true));

    Probe unknown;
    EXPECT_FALSE(LoadInto(unknown, Body(2, false, true)));
    EXPECT_EQ(unknown.level, 3) << "a refused version reads nothing";
}

TEST(FieldTable, TruncatedRecordFailsWithoutReadingOn)
{
    QByteArray bytes = Body(1, false, true);
    bytes.chop(6);
    Probe p;
    EXPECT_FALSE(LoadInto(p, bytes));
}

TEST(FieldTable, ListRowRoundTripsAndIsDescribedAsAnArray)
{
    Probe p;
    p.items = {QStringLiteral("a"), QString(), QStringLiteral("甲乙")};
    Probe back;
    ASSERT_TRUE(LoadInto(back, Record(p)));
    EXPECT_EQ(back.items, p.items);
    EXPECT_EQ(Record(back), Record(p));

    QJsonObject out;
    p.DescribeFields(out);
    EXPECT_EQ(out.value(QStringLiteral("items")).toArray().size(), 3);
    EXPECT_EQ(out.value(QStringLiteral("level")).toInt(), 3);
    EXPECT_EQ(out.value(QStringLiteral("tint")).toInteger(), 0x123456);
    EXPECT_EQ(out.value(QStringLiteral("x2")).toInt(), 0);
    EXPECT_FALSE(out.contains(QStringLiteral("marker"))) << "constants are not fields";
    EXPECT_FALSE(out.contains(QStringLiteral("scratch"))) << "memory-only fields are not stored";
    EXPECT_FALSE(out.contains(QStringLiteral("oldFlag"))) << "not in the current version";
}

TEST(FieldTable, CopiesFollowTheFlags)
{
    Probe source;
    source.name = QStringLiteral("SRC");
    source.level = 11;
    source.label = QStringLiteral("copied");
    source.tint = 0x00FF00;
    source.target = QStringLiteral("PAGE-1");
    source.serialNumber = 99;
    source.scratch = QStringLiteral("kept in memory");
    source.items = {QStringLiteral("x")};
    source.x2 = 50;

    Probe copy;
    copy.name = QStringLiteral("DST");
    copy.CopyFrom(source, false);
    EXPECT_EQ(copy.name, QStringLiteral("DST")) << "the name goes only with identity";
    EXPECT_EQ(copy.label, QStringLiteral("copied"));
    EXPECT_EQ(copy.scratch, QStringLiteral("kept in memory"));
    EXPECT_EQ(copy.items, source.items);
    EXPECT_EQ(copy.x2, 50);
    EXPECT_EQ(copy.serialNumber, 0) << "a NoCopy field stays the copy's own";
    copy.CopyFrom(source, true);
    EXPECT_EQ(copy.name, QStringLiteral("SRC"));

    // The look: only Look rows, and an image the copy's project does not hold is none.
    Probe styled;
    source.picture = QStringLiteral("a.png");
    styled.CopyAppearance(source);
    EXPECT_EQ(styled.level, 11);
    EXPECT_EQ(styled.tint, 0x00FF00u);
    EXPECT_EQ(styled.label, QStringLiteral("default"));
    EXPECT_EQ(styled.target, QStringLiteral("NONE"));
    EXPECT_EQ(styled.picture, QStringLiteral("NONE"));
}

TEST(FieldTable, ImagesAndReferencesAreFoundByTheirFlags)
{
    Probe p;
    EXPECT_TRUE(p.ImageNames().isEmpty());
    p.picture = QStringLiteral("lamp.png");
    p.target = QStringLiteral("PAGE-3");
    EXPECT_EQ(p.ImageNames(), QStringList{QStringLiteral("lamp.png")});
    p.ClearReferences();
    EXPECT_EQ(p.target, QStringLiteral("NONE"));
    EXPECT_EQ(p.picture, QStringLiteral("lamp.png")) << "an image is not a reference";
}

namespace {

class Rows : public Probe {
public:
    const PropertyTable* Properties() const override
    {
        static const PropertyTable table({
            Prop::NameRows(),
            {
                Prop::Int<&Probe::level>(30, "93", 1, 10, "117"),
                Prop::Choice<&Probe::oldFlag>(31, "120", {"121", "122", "123"}, true),
                Prop::Text<&Probe::label>(32, "92").Normalise([](const QString& s) { return s.trimmed(); }),
            },
        });
        return &table;
    }
};

} // namespace

TEST(PropertyRows, EditsAreCheckedAppliedAndRecordedOnce)
{
    ScriptedUi ui;
    Rows r;
    PropertyGridModel grid;
    r.FillProperties(grid);
    ASSERT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.FindByData(31)->options.size(), 4) << "NONE and the three options";
    EXPECT_EQ(grid.FindByData(31)->GetText(), QStringLiteral("NONE"));
    EXPECT_EQ(grid.FindByData(30)->owner, &r);

    auto edit = [&](quint32 id, const QVariant& v) {
        r.FillProperties(grid);
        CMFCMyPropertyGridProperty* row = grid.FindByData(id);
        row->SetValueFromEditor(v);
        return r.OnPropertyChanged(*row);
    };
    // Both bounds are accepted, one past either is refused with the message and the old value.
    EXPECT_TRUE(edit(30, 10));
    EXPECT_TRUE(edit(30, 1));
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_FALSE(edit(30, 11));
    EXPECT_FALSE(edit(30, 0));
    EXPECT_EQ(ui.messages.size(), 2);
    EXPECT_EQ(r.level, 1);
    EXPECT_EQ(grid.FindByData(30)->GetInt(), 1);

    EXPECT_FALSE(edit(31, QStringLiteral("not an option")));
    EXPECT_EQ(grid.FindByData(31)->GetText(), QStringLiteral("NONE"));
    EXPECT_TRUE(edit(31, Translate("122")));
    EXPECT_EQ(r.oldFlag, 2);

    EXPECT_TRUE(edit(32, QStringLiteral("  spaced  ")));
    EXPECT_EQ(r.label, QStringLiteral("spaced"));
    EXPECT_FALSE(edit(32, QStringLiteral("spaced "))) << "the same value once normalised is no change";
}
