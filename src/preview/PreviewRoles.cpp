#include "PreviewRoles.h"

#include "model/ElementTypes.h"

PreviewRole PreviewRoleOf(int typeNumber)
{
    switch (typeNumber) {
    case ElementType::kButton:
    case ElementType::kFontButton:
        return PreviewRole::Button;
    case ElementType::kSlider:
    case ElementType::kVolumeBar:
    case ElementType::kDanteVolumeBar:
        return PreviewRole::Level;
    case ElementType::kPageContainer:
        return PreviewRole::Container;
    case ElementType::kPage:
    case ElementType::kSubPage:
    case ElementType::kLine:
    case ElementType::kText:
    case ElementType::kRectangle:
    case ElementType::kPhoto:
    case ElementType::kWeather:
    case ElementType::kSliderPhoto:
    case ElementType::kSensor:
    case ElementType::kFontText:
        return PreviewRole::Passive;
    default:
        // Pickers, links, video, display walls, platform and service controls.
        return typeNumber >= 0 && typeNumber < ElementType::kCount ? PreviewRole::RuntimeOnly
                                                                  : PreviewRole::Passive;
    }
}
