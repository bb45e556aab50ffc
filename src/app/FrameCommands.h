#pragma once

class CMainFrame;
class CommandTable;

// Fills the main frame's command table: for every command of its menus and tool bars,
// when it is enabled, when it shows checked and what it runs.
namespace FrameCommands {
void Register(CommandTable& table, CMainFrame& frame);
}
