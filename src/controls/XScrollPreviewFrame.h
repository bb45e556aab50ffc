#pragma once

#include "XRectangle.h"
#include "devicelink/DeviceInfoManageDelegate.h"

// A scrolling video preview frame: the panel runtime scrolls through the streams of its
// own list of video devices, rows × columns at a time. The editor keeps the list, edited
// in the device information dialog, and the layout values the runtime reads.
class XScrollPreviewFrame : public XRectangle, public DeviceInfoManageDelegate {
public:
    XScrollPreviewFrame();
    ~XScrollPreviewFrame() override;

    int GetType() const override { return ElementType::kScrollPreviewFrame; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    QStringList TextImageSuffixes() const override { return {}; }
    void Draw(QPainter& dc) override;
    void NormalizeBounds() override;
    void OnDoubleClick(QPoint point) override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;
    void CopyAppearance(const XControl& other) override;

    DeviceInfoList& GetDeviceList() override { return devices; }
    const DeviceInfoList& Devices() const { return devices; }
    // Replaces the list by copies of the given devices.
    void SetDevices(const DeviceInfoList& others);
    // Opens the device information dialog on the list; a changed list is one undo step.
    bool EditDevices();

    static constexpr int kMaxRows = 20;
    static constexpr int kMaxColumns = 20;
    // The count word of the record caps the list.
    static constexpr int kMaxDevices = 0xFFFF;

    int rows = 1;
    int columns = 5;
    int flag1 = 0;
    int flag2 = 1;
    int flag3 = 1;
    COLORREF captionColor = 0xFFFFFF;
    int captionSize = 22;
    int setting1 = 32;
    int setting2 = 32;
    int direction = 0;
    int setting3 = 20;
    COLORREF background = 0x2D2928; // red 0x28, green 0x29, blue 0x2D

private:
    static FieldRow DevicesField();
    void ClearDevices();

    DeviceInfoList devices; // owned, in display order
};
