#pragma once

// The type numbers of the project file, one per element class.
namespace ElementType {
enum : int {
    kPage = 0,
    kSubPage = 1,
    kLine = 2,
    kText = 3,
    kRectangle = 4,
    kPhoto = 5,
    kButton = 6,
    kPageContainer = 7,
    kSlider = 8,
    kPicker = 9,
    kWebCamera = 10,
    kWeather = 11,
    kSliderPhoto = 12,
    kSensor = 13,
    kFontText = 14,
    kFontButton = 15,
    kLogin = 16,
    kVideoPreview = 17,
    kVirtualDisplayWall = 18,
    kHyperlink = 19,
    kSVirtualDisplayWall = 20,
    kVideoPreviewFrame = 21,
    kModeSave = 22,
    kModeOpen = 23,
    kScrollPreviewFrame = 24,
    kRecording = 25,
    kMeiDian = 26,
    kRVS = 27,
    kHost = 28,
    kIVMS8200 = 29,
    kVolumeBar = 30,
    kVideoComboBox = 31,
    kDaHua = 32,
    kSearch = 33,
    kFavorites = 34,
    kAccount = 35,
    kDevices = 36,
    kDanteVolumeBar = 37,
    kCount = 38,
};
}

// The property identifiers that mean the same on every element (the data value of a
// property row). Each class numbers its further properties from kFirstOwn on.
namespace PropertyId {
enum : unsigned {
    kName = 0,
    kWidth = 1,
    kHeight = 2,
    kX1 = 6,
    kY1 = 7,
    kX2 = 8,
    kY2 = 9,
};
}
