#pragma once

// What a touch does to an element of each type in the preview. Only what the project's
// data say is modelled: buttons (pressed look, interlock, send code, command string,
// jump), page containers (their sub-page), and the level controls (a level within their
// steps). Everything the panel runtime draws or runs on its own (video, display walls,
// platform and service controls, pickers, links) is left to it: the preview shows such
// an element as the design view draws it and says so when it is touched.
enum class PreviewRole {
    Passive,     // decoration: touches pass through to what lies below
    Button,      // XButton and XFontButton
    Level,       // sliders, volume bars and Dante volume bars
    Container,   // a page container: its sub-page's controls take the touches
    RuntimeOnly, // drawn as a placeholder; a touch is only logged
};

PreviewRole PreviewRoleOf(int typeNumber);
