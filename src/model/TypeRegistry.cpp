#include "TypeRegistry.h"

#include "XPage.h"

#include <algorithm>

namespace {

using namespace ElementType;
using Bar = ToolBarSlot;
using namespace BrushSet;

XControl* NewPage() { return new XPage; }
XControl* NewSubPage() { return new XSubPage; }

// Every type in the order of the controls menu, then the platform bar's, then the types
// whose command has neither a menu item nor a button; with the brushes that apply.
std::vector<ElementTypeInfo> MakeList()
{
    std::vector<ElementTypeInfo> list = {
        {kPage, "PAGE", 32775, "33", "33", Bar::Controls, &NewPage},
        {kSubPage, "SUBPAGE", 32776, "34", "34", Bar::Controls, &NewSubPage},
        {kLine, "LINE", 32831, "35", "35", Bar::Controls},
        {kRectangle, "RECTANGLE", 32832, "36", "36", Bar::Controls},
        {kText, "TEXT", 32833, "37", "37", Bar::Controls, nullptr, Colour | Text},
        {kPhoto, "PHOTO", 32835, "38", "38", Bar::Controls},
        {kButton, "BUTTON", 32836, "39", "39", Bar::Controls, nullptr, SendCode | Colour | Text | Interlock},
        {kPageContainer, "PAGECONTAINER", 32837, "40", "40", Bar::Controls},
        {kSlider, "SLIDER", 32838, "41", "41", Bar::Controls, nullptr, SendCode},
        {kPicker, "PICKER", 32839, "42", "42", Bar::Controls},
        {kWebCamera, "WEBCAMERA", 32840, "43", "43", Bar::Controls},
        {kWeather, "WEATHER", 32841, "44", "44", Bar::Controls},
        {kSliderPhoto, "SLIDERPHOTO", 32845, "45", "45", Bar::Controls},
        {kSensor, "SENSOR", 32846, "46", "46", Bar::Controls},
        {kFontText, "FONTTEXT", 32883, "47", "47", Bar::Controls, nullptr, Colour | Font | Text},
        {kFontButton, "FONTBTN", 32884, "48", "48", Bar::Controls, nullptr, SendCode | Colour | Font | Text | Interlock},
        {kLogin, "LOGIN", 32929, "235", "235", Bar::Controls},
        {kVideoPreviewFrame, "VIDEOPREVIEWFRAME", 32940, "258", "258", Bar::Controls, nullptr, Stream},
        {kVideoPreview, "VIDEOPREVIEW", 32931, "236", "236", Bar::Controls},
        {kSVirtualDisplayWall, "SVIRTUALDISPLAYWALL", 32939, "257", "257", Bar::Controls, nullptr, Address},
        {kHyperlink, "HYPERLINK", 32937, "254", "254", Bar::Controls, nullptr, Stream},
        {kModeSave, "MODESAVE", 32941, "259", "259", Bar::Controls},
        {kModeOpen, "MODEOPEN", 32942, "260", "260", Bar::Controls},
        {kScrollPreviewFrame, "SCROLLVIDEOPREVIEW", 32949, "331", "331", Bar::Controls},
        {kRecording, "RECORDING", 32950, "368", "368", Bar::Controls},
        {kHost, "HOST", 32959, "390", "390", Bar::Controls},
        {kVolumeBar, "VOLUMEBAR", 32961, "393", "393", Bar::Controls, nullptr, SendCode},
        {kVideoComboBox, "VIDEOCOMBOBOX", 32962, "413", "413", Bar::Controls},
        {kSearch, "SEARCH", 32970, "422", "422", Bar::Controls},
        {kFavorites, "FAVORITES", 32971, "423", "423", Bar::Controls},
        {kAccount, "ACCOUNT", 32974, "429", "429", Bar::Controls},
        {kDevices, "DEVICES", 32976, "431", "431", Bar::Controls},
        {kMeiDian, "E8PLATFORM", 32951, nullptr, "384", Bar::Platform},
        {kRVS, "RVSPLATFORM", 32958, nullptr, "387", Bar::Platform},
        {kIVMS8200, "IVMS8200", 32960, nullptr, "392", Bar::Platform},
        {kDaHua, "DAHUA", 32969, nullptr, "421", Bar::Platform},
        {kVirtualDisplayWall, "VIRTUALDISPLAYWALL", 32933, nullptr, "237", Bar::None, nullptr, Address},
        {kDanteVolumeBar, "DANTESLIDER", 32978, nullptr, "447", Bar::None},
    };
    return list;
}

std::vector<ElementTypeInfo>& List()
{
    static std::vector<ElementTypeInfo> list = MakeList();
    return list;
}

bool InRange(int t) { return t >= 0 && t < TypeRegistry::kTypeCount; }

ElementTypeInfo* Entry(int t)
{
    if (!InRange(t))
        return nullptr;
    auto& list = List();
    auto it = std::find_if(list.begin(), list.end(), [t](const ElementTypeInfo& i) { return i.type == t; });
    return it == list.end() ? nullptr : &*it;
}

} // namespace

namespace TypeRegistry {

bool Register(const ElementClassRegistration& registration)
{
    ElementTypeInfo* info = Entry(registration.type);
    if (!info)
        return false;
    info->create = registration.create;
    return true;
}

bool HasClass(int typeNumber)
{
    const ElementTypeInfo* info = Entry(typeNumber);
    return info && info->create;
}

const ElementTypeInfo* Info(int typeNumber)
{
    return Entry(typeNumber);
}

const std::vector<ElementTypeInfo>& All()
{
    return List();
}

int MenuCommandForType(int typeNumber)
{
    const ElementTypeInfo* info = Entry(typeNumber);
    return info ? info->menuCommand : 0;
}

int TypeForMenuCommand(int commandId)
{
    for (const ElementTypeInfo& info : List())
        if (info.menuCommand == commandId)
            return info.type;
    return -1;
}

bool BrushApplies(int typeNumber, unsigned brush)
{
    const ElementTypeInfo* info = Entry(typeNumber);
    return info && (info->brushes & brush) != 0;
}

} // namespace TypeRegistry

XControl* CreateElement(int typeNumber)
{
    const ElementTypeInfo* info = Entry(typeNumber);
    return info && info->create ? info->create() : nullptr;
}

QString GetTypeKey(int typeNumber)
{
    const ElementTypeInfo* info = Entry(typeNumber);
    return info ? QString::fromLatin1(info->key) : QString();
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
