#pragma once

#include "ToolMode.h"
#include "base/Colorref.h"
#include "base/FontDesc.h"

#include <QString>
#include <QtGlobal>

#include <memory>

class ProjectData;
class XControl;
class XPage;

// What every design view of the editor shares: the zoom, the tool mode, the values the
// brushes apply with their counters, and the copy the format brush takes its look from.
// The main frame keeps one; it holds no window.
class EditorState {
public:
    static constexpr quint32 kDefaultAddress = 0xC0A80164; // 192.168.1.100
    static constexpr int kLastSendCode = 4000;

    EditorState();
    ~EditorState();
    EditorState(const EditorState&) = delete;
    EditorState& operator=(const EditorState&) = delete;

    double Zoom() const { return zoom; }
    void SetZoom(double value) { zoom = value; }
    int GetToolMode() const { return toolMode; }
    void SetToolMode(int mode) { toolMode = mode; }

    // The send-code brush hands out 1 to 4000 and starts again at 1.
    int NextSendCode();
    int GetSendCodeCounter() const { return sendCodeCounter; }
    void SetSendCodeCounter(int code) { sendCodeCounter = code; }

    COLORREF GetBrushColour() const { return brushColour; }
    void SetBrushColour(COLORREF c) { brushColour = c; }
    const FontDesc& GetBrushFont() const { return brushFont; }
    void SetBrushFont(const FontDesc& f) { brushFont = f; }
    const QString& GetBrushText() const { return brushText; }
    void SetBrushText(const QString& t) { brushText = t; }

    // The address brush: each use yields the dotted address and counts its last byte on,
    // 255 wrapping to 0 without carry into the byte before.
    quint32 GetAddressBrush() const { return addressBrush; }
    void SetAddressBrush(quint32 a) { addressBrush = a; }
    QString NextBrushAddress();
    // The stream brush: two or three stream addresses on one host, counted like the
    // address brush. A count other than 3 means 2.
    quint32 GetStreamBrush() const { return streamBrush; }
    int GetStreamCount() const { return streamCount; }
    void SetStreamBrush(quint32 a, int count);
    QString NextBrushStreamUrl();

    XPage* GetInterlockPage() const { return interlockPage; }
    const QString& GetInterlockName() const { return interlockName; }
    void SetInterlockBrush(XPage* page, const QString& groupName);

    XControl* GetFormatSource() const { return formatSource.get(); }
    // Takes ownership; null drops the source.
    void SetFormatSource(XControl* source);

    // A page is going away: the interlock brush of its groups is dropped (and disarmed),
    // and the format source forgets its references into it.
    void ForgetPage(const XPage* page);
    // A project is closing: the format source stays usable but belongs to no project.
    void ForgetProject(const ProjectData* project);

    static QString FormatAddress(quint32 address);

private:
    double zoom = 1.0;
    int toolMode = ToolMode::kSelect;
    int sendCodeCounter = 1;
    COLORREF brushColour = 0;
    FontDesc brushFont;
    QString brushText;
    quint32 addressBrush = kDefaultAddress;
    quint32 streamBrush = kDefaultAddress;
    int streamCount = 2;
    QString interlockName;
    XPage* interlockPage = nullptr;
    std::unique_ptr<XControl> formatSource;
};
