#pragma once

#include "VideoChannel.h"
#include "model/ElementTypes.h"
#include "model/FieldTable.h"
#include "model/XControl.h"

// A video combo box: the panel runtime lets the user pick one of rows × columns video
// channels laid out as a grid. The editor keeps exactly one channel per cell, draws the
// grid with the channel names, and edits a channel in the RTSP dialog on a double click.
class XVideoComboBox : public XControl {
public:
    XVideoComboBox();

    int GetType() const override { return ElementType::kVideoComboBox; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void NormalizeBounds() override;
    void OnDoubleClick(QPoint point) override;
    void CopyAppearance(const XControl& other) override;

    // The channel list as creation and every change of rows or columns make it: channel
    // k (from 1) named k, on the host 192.168.1.(100 + k).
    static VideoChannelList DefaultChannels(int count);
    void ResetChannels();
    // The cell under a page point, in row-major order, or -1 when the point lies on no
    // cell of the grid.
    int CellAt(QPoint point) const;
    // Opens the RTSP dialog on one channel; a changed channel is one undo step.
    bool EditChannel(int index);

    static constexpr int kMaxRows = 10;
    static constexpr int kMaxColumns = 10;
    static constexpr int kMaxId = 1000;

    int rows = 1;
    int columns = 1;
    int id = 1;
    VideoChannelList channels; // always rows × columns of them

protected:
    bool ApplyProperty(CMFCMyPropertyGridProperty& property) override;

private:
    static FieldRow ChannelsField();
};
