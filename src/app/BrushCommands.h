#pragma once

class CMainFrame;
class EditorState;

// The commands of the "other" tool bar: each asks for a brush value (or takes the
// format source) and arms the brush's tool mode. The values live in the editor state.
class BrushCommands {
public:
    BrushCommands(CMainFrame& frame, EditorState& state);

    // Needs a page to draw on; the brushes whose dialogs belong to a control family
    // also need that family's dialog to be registered.
    bool IsEnabled(int commandId) const;
    // Runs one of the eight brush commands on the active page.
    void Run(int commandId);

private:
    void SendCode();
    void Colour();
    void Font();
    void Text();
    void Interlock();
    void Address();
    void Format();
    void Stream();

    CMainFrame& frame;
    EditorState& state;
};
