#include "BrushCommands.h"

#include "CMainFrame.h"
#include "Commands.h"
#include "base/DialogRegistry.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "controls/ControlDialogRequests.h"
#include "editor/EditorState.h"
#include "model/BrushDialogRequests.h"
#include "model/DuplicateElement.h"
#include "model/NameDialogRequest.h"
#include "model/XPage.h"

namespace {

const QString kAddressDialog = QStringLiteral("address");
const QString kStreamDialog = QStringLiteral("stream");

} // namespace

BrushCommands::BrushCommands(CMainFrame& f, EditorState& s) : frame(f), state(s) {}

bool BrushCommands::IsEnabled(int id) const
{
    if (!frame.HasActivePage())
        return false;
    switch (id) {
    case Cmd::AddressBrush: return DialogRegistry::Find(kAddressDialog) != nullptr;
    case Cmd::StreamBrush: return DialogRegistry::Find(kStreamDialog) != nullptr;
    case Cmd::SendCodeBrush: return DialogRegistry::Find(SendCodeDialogRequest::Name()) != nullptr;
    case Cmd::InterlockBrush: return DialogRegistry::Find(InterlockDialogRequest::Name()) != nullptr;
    default: return true;
    }
}

void BrushCommands::Run(int id)
{
    if (!frame.ActivePage())
        return;
    switch (id) {
    case Cmd::SendCodeBrush: SendCode(); break;
    case Cmd::ColorBrush: Colour(); break;
    case Cmd::FontBrush: Font(); break;
    case Cmd::TextBrush: Text(); break;
    case Cmd::InterlockBrush: Interlock(); break;
    case Cmd::AddressBrush: Address(); break;
    case Cmd::FormatPainter: Format(); break;
    case Cmd::StreamBrush: Stream(); break;
    default: break;
    }
}

void BrushCommands::SendCode()
{
    // The dialog arms the mode itself, through the frame.
    SendCodeDialogRequest request;
    request.delegate = &frame;
    Ui().RunDialog(SendCodeDialogRequest::Name(), &request);
}

void BrushCommands::Colour()
{
    COLORREF c = state.GetBrushColour();
    if (Ui().ChooseColor(state.GetBrushColour(), c)) {
        state.SetBrushColour(c);
        frame.SetToolMode(ToolMode::kColourBrush);
    }
}

void BrushCommands::Font()
{
    FontDesc f = state.GetBrushFont();
    if (Ui().ChooseFont(state.GetBrushFont(), f)) {
        state.SetBrushFont(f);
        frame.SetToolMode(ToolMode::kFontBrush);
    }
}

void BrushCommands::Text()
{
    NameDialogRequest request{Translate("79"), Translate("80"), state.GetBrushText()};
    if (Ui().RunDialog(QStringLiteral("name"), &request) == kIdOk) {
        state.SetBrushText(request.name);
        frame.SetToolMode(ToolMode::kTextBrush);
    }
}

void BrushCommands::Interlock()
{
    InterlockDialogRequest request;
    request.page = frame.ActivePage();
    request.delegate = &frame;
    Ui().RunDialog(InterlockDialogRequest::Name(), &request);
}

void BrushCommands::Address()
{
    AddressDialogRequest request{Translate("265"), state.GetAddressBrush()};
    if (Ui().RunDialog(kAddressDialog, &request) == kIdOk) {
        state.SetAddressBrush(request.address);
        frame.SetToolMode(ToolMode::kAddressBrush);
    }
}

void BrushCommands::Format()
{
    XPage* page = frame.ActivePage();
    if (page->SelectedCount() != 1) {
        ShowMessage("323", "70");
        return;
    }
    state.SetFormatSource(DuplicateElement(page->FirstSelected(), false));
    if (state.GetFormatSource())
        frame.SetToolMode(ToolMode::kFormatBrush);
}

void BrushCommands::Stream()
{
    StreamDialogRequest request{state.GetStreamBrush(), state.GetStreamCount()};
    if (Ui().RunDialog(kStreamDialog, &request) == kIdOk) {
        state.SetStreamBrush(request.address, request.streamCount);
        frame.SetToolMode(ToolMode::kStreamBrush);
    }
}
