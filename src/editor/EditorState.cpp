#include "EditorState.h"

#include "base/Ipv4Address.h"
#include "base/Translation.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/ProjectData.h"
#include "model/XControl.h"

namespace {

quint32 NextLastByte(quint32 a)
{
    return (a & 0xFFFFFF00u) | ((a + 1) & 0xFFu);
}

} // namespace

EditorState::EditorState() = default;
EditorState::~EditorState() = default;

int EditorState::NextSendCode()
{
    const int code = sendCodeCounter;
    ++sendCodeCounter;
    if (sendCodeCounter > kLastSendCode)
        sendCodeCounter = 1;
    return code;
}

QString EditorState::FormatAddress(quint32 a)
{
    return FormatIpv4Address(a);
}

QString EditorState::NextBrushAddress()
{
    const QString text = FormatAddress(addressBrush);
    addressBrush = NextLastByte(addressBrush);
    return text;
}

void EditorState::SetStreamBrush(quint32 a, int count)
{
    streamBrush = a;
    streamCount = count == 3 ? 3 : 2;
}

QString EditorState::NextBrushStreamUrl()
{
    const QString a = FormatAddress(streamBrush);
    streamBrush = NextLastByte(streamBrush);
    if (streamCount == 2)
        return FormatText(QStringLiteral("rtsp://%s:2554/352;rtsp://%s:554/1080"), {a, a});
    return FormatText(QStringLiteral("rtsp://%s:2554/352;rtsp://%s:554/1080;rtsp://%s:551/2160"), {a, a, a});
}

void EditorState::SetInterlockBrush(XPage* page, const QString& groupName)
{
    interlockPage = page;
    interlockName = groupName;
}

void EditorState::SetFormatSource(XControl* source)
{
    formatSource.reset(source);
}

void EditorState::ForgetPage(const XPage* page)
{
    if (formatSource) {
        formatSource->ForgetPage(page);
        if (formatSource->page == page)
            formatSource->page = nullptr;
    }
    if (interlockPage == page) {
        interlockPage = nullptr;
        interlockName.clear();
        if (toolMode == ToolMode::kInterlockBrush)
            toolMode = ToolMode::kSelect;
    }
}

void EditorState::ForgetProject(const ProjectData* project)
{
    if (!formatSource || !formatSource->projectData || formatSource->projectData->GetProject() != project)
        return;
    formatSource->projectData = nullptr;
    formatSource->page = nullptr;
}
