#pragma once

#include "XVolumeBar.h"

// The volume bar of a Dante audio channel: the look of a volume bar without flags, steps
// or send code, and the channel and its mode.
class XDanteVolumeBar : public XVolumeLook {
public:
    XDanteVolumeBar();

    int GetType() const override { return ElementType::kDanteVolumeBar; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight) override;

    int danteChannel = 1;
    int danteMode = 1; // 1 or 2
};
