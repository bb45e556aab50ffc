#pragma once

#include "TextDrawing.h"
#include "model/TextImageWriter.h"

#include <QByteArray>
#include <QString>

// Everything a text image is rendered from, as a value: it can be kept, compared by its
// key and rendered on any thread, apart from the control it came from.
struct TextImageJob : TextImageSource {
    enum class Layout {
        AtCorner, // the measured text at the top-left corner (font texts)
        Wrapped,  // placed by the alignment, lines broken at word boundaries
        OneLine,  // placed by the alignment on one line
    };

    TextFace face;
    QString text;
    COLORREF colour = 0;
    int alignment = 5;
    bool vertical = false;
    Layout layout = Layout::AtCorner;
    int width = 0; // the control's size in project pixels
    int height = 0;
    const char* format = "png"; // the image file format

    // The job's fields, the font the face resolves to here and the renderer's own
    // version.
    QByteArray Key() const override;
    // Transparent 32-bit, no bigger than the biggest page.
    QByteArray Render() const override;
};
