#include "ControlClasses.h"

#include "XAccount.h"
#include "XButton.h"
#include "XDaHua.h"
#include "XDanteVolumeBar.h"
#include "XFavorites.h"
#include "XFontButton.h"
#include "XFontText.h"
#include "XHyperlink.h"
#include "XLine.h"
#include "XLogin.h"
#include "XPageContainer.h"
#include "XPhoto.h"
#include "XPicker.h"
#include "XPlaceholder.h"
#include "XRecording.h"
#include "XRVS.h"
#include "XRectangle.h"
#include "XScrollPreviewFrame.h"
#include "XSensor.h"
#include "XSlider.h"
#include "XSliderPhoto.h"
#include "XText.h"
#include "XVideoComboBox.h"
#include "XVideoPreview.h"
#include "XVideoPreviewFrame.h"
#include "XVirtualDisplayWall.h"
#include "XVolumeBar.h"
#include "XWeather.h"
#include "XWebCamera.h"
#include "model/TypeRegistry.h"

namespace {

template <class T>
XControl* Make()
{
    return new T;
}

using namespace ElementType;

// One row per control class: its type and its class.
// Each control family adds its classes here as it is built.
const ElementClassRegistration kClasses[] = {
    {kRectangle, &Make<XRectangle>},
    {kPhoto, &Make<XPhoto>},
    {kButton, &Make<XButton>},
    {kPageContainer, &Make<XPageContainer>},
    {kFontText, &Make<XFontText>},
    {kFontButton, &Make<XFontButton>},
    {kLine, &Make<XLine>},
    {kText, &Make<XText>},
    {kSensor, &Make<XSensor>},
    {kHyperlink, &Make<XHyperlink>},
    {kPicker, &Make<XPicker>},
    {kWeather, &Make<XWeather>},
    {kSlider, &Make<XSlider>},
    {kSliderPhoto, &Make<XSliderPhoto>},
    {kVolumeBar, &Make<XVolumeBar>},
    {kDanteVolumeBar, &Make<XDanteVolumeBar>},
    // Video controls.
    {kWebCamera, &Make<XWebCamera>},
    {kVideoPreview, &Make<XVideoPreview>},
    {kVideoPreviewFrame, &Make<XVideoPreviewFrame>},
    {kScrollPreviewFrame, &Make<XScrollPreviewFrame>},
    {kVideoComboBox, &Make<XVideoComboBox>},
    // Platform and service controls.
    {kDaHua, &Make<XDaHua>},
    {kIVMS8200, &Make<XIVMS8200>},
    {kRVS, &Make<XRVS>},
    {kMeiDian, &Make<XMeiDian>},
    {kRecording, &Make<XRecording>},
    {kHost, &Make<XHost>},
    {kSearch, &Make<XSearch>},
    {kDevices, &Make<XDevices>},
    {kAccount, &Make<XAccount>},
    {kLogin, &Make<XLogin>},
    {kFavorites, &Make<XFavorites>},
    {kModeOpen, &Make<XModeOpen>},
    {kModeSave, &Make<XModeSave>},
    // Display walls.
    {kVirtualDisplayWall, &Make<XVirtualDisplayWall>},
    {kSVirtualDisplayWall, &Make<XSVirtualDisplayWall>},
};

}

void RegisterControlClasses()
{
    for (const ElementClassRegistration& registration : kClasses)
        TypeRegistry::Register(registration);
}
