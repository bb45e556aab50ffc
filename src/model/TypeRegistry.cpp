#include "TypeRegistry.h"

#include "XPage.h"

#include <array>

namespace {

struct TypeEntry {
    const char* key;
    int menuCommand;
};

constexpr std::array<TypeEntry, TypeRegistry::kTypeCount> kTypes{{
    {"PAGE", 32775},
    {"SUBPAGE", 32776},
    {"LINE", 32831},
    {"TEXT", 32833},
    {"RECTANGLE", 32832},
    {"PHOTO", 32835},
    {"BUTTON", 32836},
    {"PAGECONTAINER", 32837},
    {"SLIDER", 32838},
    {"PICKER", 32839},
    {"WEBCAMERA", 32840},
    {"WEATHER", 32841},
    {"SLIDERPHOTO", 32845},
    {"SENSOR", 32846},
    {"FONTTEXT", 32883},
    {"FONTBTN", 32884},
    {"LOGIN", 32929},
    {"VIDEOPREVIEW", 32931},
    {"VIRTUALDISPLAYWALL", 32933},
    {"HYPERLINK", 32937},
    {"SVIRTUALDISPLAYWALL", 32939},
    {"VIDEOPREVIEWFRAME", 32940},
    {"MODESAVE", 32941},
    {"MODEOPEN", 32942},
    {"SCROLLVIDEOPREVIEW", 32949},
    {"RECORDING", 32950},
    {"E8PLATFORM", 32951},
    {"RVSPLATFORM", 32958},
    {"HOST", 32959},
    {"IVMS8200", 32960},
    {"VOLUMEBAR", 32961},
    {"VIDEOCOMBOBOX", 32962},
    {"DAHUA", 32969},
    {"SEARCH", 32970},
    {"FAVORITES", 32971},
    {"ACCOUNT", 32974},
    {"DEVICES", 32976},
    {"DANTESLIDER", 32978},
}};

XControl* NewPage() { return new XPage; }
XControl* NewSubPage() { return new XSubPage; }

std::array<TypeRegistry::Creator, TypeRegistry::kTypeCount>& Creators()
{
    static std::array<TypeRegistry::Creator, TypeRegistry::kTypeCount> creators = [] {
        std::array<TypeRegistry::Creator, TypeRegistry::kTypeCount> c{};
        c[TypeRegistry::kPage] = &NewPage;
        c[TypeRegistry::kSubPage] = &NewSubPage;
        return c;
    }();
    return creators;
}

bool InRange(int t) { return t >= 0 && t < TypeRegistry::kTypeCount; }

} // namespace

namespace TypeRegistry {

void RegisterElementType(int typeNumber, Creator creator)
{
    if (InRange(typeNumber))
        Creators()[typeNumber] = creator;
}

bool HasClass(int typeNumber)
{
    return InRange(typeNumber) && Creators()[typeNumber] != nullptr;
}

int MenuCommandForType(int typeNumber)
{
    return InRange(typeNumber) ? kTypes[typeNumber].menuCommand : 0;
}

int TypeForMenuCommand(int commandId)
{
    for (int t = 0; t < kTypeCount; ++t)
        if (kTypes[t].menuCommand == commandId)
            return t;
    return -1;
}

} // namespace TypeRegistry

XControl* CreateElement(int typeNumber)
{
    if (!TypeRegistry::HasClass(typeNumber))
        return nullptr;
    return Creators()[typeNumber]();
}

QString GetTypeKey(int typeNumber)
{
    return InRange(typeNumber) ? QString::fromLatin1(kTypes[typeNumber].key) : QString();
}

QString MakeUniqueName(int typeNumber, const std::function<bool(const QString&)>& exists)
{
    const QString key = GetTypeKey(typeNumber);
    for (int n = 0;; ++n) {
        const QString candidate = key + u'-' + QString::number(n);
        if (!exists(candidate))
            return candidate;
    }
}
