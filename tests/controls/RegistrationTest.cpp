#include "base/Translation.h"
#include "model/FieldTable.h"
#include "model/MyFile.h"
#include "model/PropertyRows.h"
#include "model/TypeRegistry.h"
#include "model/XControl.h"

#include <QSet>

#include <gtest/gtest.h>

#include <memory>

namespace {

bool Translated(const char* key)
{
    return key && !Translate(QString::fromLatin1(key)).isEmpty();
}

QByteArray Record(XControl& c)
{
    MyFile f;
    f.OpenWriteMemory();
    EXPECT_TRUE(c.Save(f)) << c.GetType();
    return f.Written();
}

} // namespace

TEST(Registration, EveryTypeOnceWithACommandAndTextsInEachLanguage)
{
    const auto& all = TypeRegistry::All();
    ASSERT_EQ(static_cast<int>(all.size()), TypeRegistry::kTypeCount);
    QSet<int> types;
    QSet<int> commands;
    for (const ElementTypeInfo& info : all) {
        types << info.type;
        commands << info.menuCommand;
        EXPECT_NE(info.menuCommand, 0) << info.type;
        EXPECT_EQ(TypeRegistry::TypeForMenuCommand(info.menuCommand), info.type);
        EXPECT_EQ(GetTypeKey(info.type), QString::fromLatin1(info.key));
        // Types reached only by a button or by nothing have no menu item.
        EXPECT_EQ(info.menuKey == nullptr, info.bar != ToolBarSlot::Controls) << info.type;
    }
    EXPECT_EQ(types.size(), TypeRegistry::kTypeCount);
    EXPECT_EQ(commands.size(), TypeRegistry::kTypeCount);
    for (int language : {0, 1, 2}) {
        Translation::SetLanguage(language);
        for (const ElementTypeInfo& info : all) {
            EXPECT_TRUE(Translated(info.tipKey)) << language << " " << info.type;
            if (info.menuKey)
                EXPECT_TRUE(Translated(info.menuKey)) << language << " " << info.type;
        }
    }
    Translation::SetLanguage(0);
}

TEST(Registration, EveryClassIsATableThatRoundTripsItsDefaults)
{
    int classes = 0;
    for (const ElementTypeInfo& info : TypeRegistry::All()) {
        if (!info.create)
            continue;
        ++classes;
        std::unique_ptr<XControl> element(CreateElement(info.type));
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(element->GetType(), info.type);
        const FieldTable* fields = element->Fields();
        ASSERT_NE(fields, nullptr) << info.type;
        EXPECT_TRUE(fields->IsInstance(*element));
        EXPECT_EQ(element->recordVersion, fields->CurrentVersion()) << info.type;
        element->name = GetTypeKey(info.type) + QStringLiteral("-0");

        const QByteArray bytes = Record(*element);
        MyFile in;
        in.OpenReadData(bytes);
        const int version = in.ReadByte();
        EXPECT_EQ(in.ReadByte(), info.type);
        std::unique_ptr<XControl> back(CreateElement(info.type));
        ASSERT_TRUE(back->Load(in, version)) << info.type;
        EXPECT_TRUE(in.AtEnd()) << info.type;
        EXPECT_EQ(Record(*back), bytes) << info.type;
        EXPECT_FALSE(back->Load(in, fields->CurrentVersion() + 1)) << "an unknown version is refused";

        // Property rows: unique identifiers and captions in every language.
        if (const PropertyTable* rows = element->Properties()) {
            QSet<quint32> ids;
            for (const PropertyRow& row : rows->Rows())
                ids << row.id;
            EXPECT_EQ(ids.size(), static_cast<int>(rows->Rows().size())) << info.type;
        }
    }
    EXPECT_GE(classes, 8);
}
