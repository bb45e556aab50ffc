#include "ScriptedViewDelegate.h"

#include "TestControl.h"
#include "editor/ViewZoom.h"
#include "model/DuplicateElement.h"
#include "model/PageWindow.h"
#include "model/ProjectData.h"
#include "model/TActionCommand.h"
#include "model/XPage.h"

namespace {

QString Dotted(quint32 a)
{
    return QStringLiteral("%1.%2.%3.%4").arg(a >> 24).arg((a >> 16) & 0xFF).arg((a >> 8) & 0xFF).arg(a & 0xFF);
}

// Only the last byte advances, wrapping from 255 to 0 without carry.
void Advance(quint32& a)
{
    a = (a & 0xFFFFFF00u) | ((a + 1) & 0xFFu);
}

// Without a factory the delegate makes no controls, as CreateControl does.
XControl* MakeNothing(int) { return nullptr; }

QString NameOf(const XControl* c)
{
    return c ? c->name : QStringLiteral("(none)");
}

}

ScriptedViewDelegate::ScriptedViewDelegate() : factory(&MakeTestElement) {}

ScriptedViewDelegate::~ScriptedViewDelegate()
{
    qDeleteAll(clipboard);
    delete formatSource;
}

IntRect ScriptedViewDelegate::PageRectToView(const IntRect& r) const
{
    return ViewZoom::PageToView(r, zoom);
}

QPoint ScriptedViewDelegate::ViewPointToPage(int x, int y) const
{
    return ViewZoom::ViewToPage(QPoint(x, y), zoom);
}

QPoint ScriptedViewDelegate::PagePointToView(int x, int y) const
{
    return ViewZoom::PageToView(QPoint(x, y), zoom);
}

int ScriptedViewDelegate::ScaleLength(int n) const
{
    return ViewZoom::PageToView(n, zoom);
}

IntRect ScriptedViewDelegate::MapRect(int left, int top, int right, int bottom) const
{
    return PageRectToView({left, top, right, bottom});
}

void ScriptedViewDelegate::SelectControl(XControl* control)
{
    log << QStringLiteral("SelectControl ") + NameOf(control);
    if (!control)
        return;
    // A control current on another page loses its mark.
    if (current && current != control && current->page && current->page != current
        && current->page != control->page) {
        current->selected = false;
        if (current->page->window)
            current->page->window->InvalidatePage();
    }
    current = control;
    XPage* page = control->page;
    if (page && page != control) {
        page->SelectOnly(control);
        if (onSelect)
            onSelect(control);
    }
    if (page && page->window)
        page->window->InvalidatePage();
}

void ScriptedViewDelegate::InsertTreeItem(ProjectData*, XControl* element, const QString& label, int, int)
{
    log << QStringLiteral("InsertTreeItem ") + label;
}

void ScriptedViewDelegate::MoveTreeItemDown(XControl* control)
{
    log << QStringLiteral("MoveTreeItemDown ") + NameOf(control);
}

void ScriptedViewDelegate::MoveTreeItemUp(XControl* control)
{
    log << QStringLiteral("MoveTreeItemUp ") + NameOf(control);
}

void ScriptedViewDelegate::ClearCurrentControl()
{
    log << QStringLiteral("ClearCurrentControl");
    current = nullptr;
}

void ScriptedViewDelegate::RefreshProperties()
{
    log << QStringLiteral("RefreshProperties");
}

void ScriptedViewDelegate::ShowProperties(XControl* element)
{
    log << QStringLiteral("ShowProperties ") + NameOf(element);
    current = element;
}

XControl* ScriptedViewDelegate::CreateControl(int typeNumber)
{
    log << QStringLiteral("CreateControl %1").arg(typeNumber);
    return factory ? factory(typeNumber) : nullptr;
}

XControl* ScriptedViewDelegate::CreateElement(int typeNumber)
{
    return factory ? factory(typeNumber) : nullptr;
}

int ScriptedViewDelegate::NextSendCode()
{
    const int code = sendCode;
    if (++sendCode > 4000)
        sendCode = 1;
    return code;
}

void ScriptedViewDelegate::CopyToClipboard(XPage* page)
{
    log << QStringLiteral("CopyToClipboard");
    qDeleteAll(clipboard);
    clipboard.clear();
    for (XControl* c : page->controls)
        if (c->selected)
            if (XControl* copy = CloneControl(c, false))
                clipboard.append(copy);
}

void ScriptedViewDelegate::PasteFromClipboard(XPage* page)
{
    log << QStringLiteral("PasteFromClipboard");
    if (clipboard.isEmpty())
        return;
    auto* group = new TActionCommands;
    for (XControl* c : clipboard)
        if (XControl* copy = CloneControl(c, false))
            group->Add(new TControlExistCommand(copy, page, true));
    group->Execute();
    page->PushCommands(group);
    if (page->window)
        page->window->InvalidatePage();
}

QString ScriptedViewDelegate::NextBrushAddress()
{
    const QString text = Dotted(brushAddress);
    Advance(brushAddress);
    return text;
}

QString ScriptedViewDelegate::NextBrushStreamUrl()
{
    const QString a = Dotted(streamAddress);
    Advance(streamAddress);
    QString url = QStringLiteral("rtsp://%1:2554/352;rtsp://%1:554/1080").arg(a);
    if (streamCount != 2)
        url += QStringLiteral(";rtsp://%1:551/2160").arg(a);
    return url;
}

XControl* ScriptedViewDelegate::CloneControl(XControl* control, bool withIdentity)
{
    return ::DuplicateElement(control, withIdentity, factory ? factory : ElementFactory(&MakeNothing));
}

void ScriptedViewDelegate::ZoomStep(int delta)
{
    zoomSteps << delta;
    const double next = ViewZoom::ZoomAfterStep(zoom, delta);
    if (ViewZoom::ZoomDiffers(zoom, next)) {
        zoom = next;
        if (onZoom)
            onZoom();
    }
}

void ScriptedViewDelegate::AddTreeItem(ProjectData*, XControl* element, const QString& name, int, int)
{
    log << QStringLiteral("AddTreeItem ") + name;
}

void ScriptedViewDelegate::UpdateTreeItem(XControl* element)
{
    log << QStringLiteral("UpdateTreeItem ") + NameOf(element);
}

void ScriptedViewDelegate::RemoveTreeItem(XControl* element)
{
    log << QStringLiteral("RemoveTreeItem ") + NameOf(element);
}

int ScriptedViewDelegate::Calls(const QString& prefix) const
{
    int n = 0;
    for (const QString& entry : log)
        if (entry.startsWith(prefix))
            ++n;
    return n;
}
