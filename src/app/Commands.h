#pragma once

#include <QtGlobal>

// Command identifiers of the menus, tool bars and pop-up menus, and the tables that give
// each its translation keys. Keys are the texts' numbers in the translation files.
namespace Cmd {
enum : int {
    NewProject = 32771,
    OpenProject = 32772,
    CloseProject = 32773,
    SaveProject = 32774,
    SaveAs = 32908,
    Exit = 57665,
    About = 57664,
    WindowList = 131,

    LookFirst = 205,
    LookLast = 215,
    LookDefault = 210,

    Zoom200 = 32858,
    Zoom100 = 32854,
    Zoom75 = 32859,
    Zoom50 = 32855,
    ZoomOther = 32928,

    Transmit = 32899,
    ProjectSize = 32926,
    LanguageZhCn = 32903,
    LanguageZhTw = 32906,
    LanguageEn = 32904,

    Select = 32825,
    NewPage = 32775,
    NewSubPage = 32776,

    Undo = 32890,
    Redo = 32891,

    AlignLeft = 32867,
    AlignRight = 32868,
    AlignTop = 32869,
    AlignBottom = 32870,
    CenterHorizontally = 32871,
    CenterVertically = 32872,
    DistributeHorizontally = 32873,
    DistributeVertically = 32874,
    AlignMiddles = 32881,
    AlignCentres = 32882,

    SendCodeBrush = 32860,
    ColorBrush = 32885,
    FontBrush = 32886,
    TextBrush = 32887,
    InterlockBrush = 32888,
    AddressBrush = 32943,
    FormatPainter = 32948,
    StreamBrush = 32968,

    // Caption menu of a page window
    ClosePageWindow = 32829,
    CloseAllPageWindows = 32830,

    // Commands the design view handles itself
    ViewCopy = 32878,
    ViewPaste = 32879,
    ViewDelete = 32880,
};

// Tool modes shared by all design views.
enum : int {
    ModeSelect = 101,
    ModeSendCode = 102,
    ModeColor = 103,
    ModeFont = 104,
    ModeText = 105,
    ModeInterlock = 106,
    ModeAddress = 107,
    ModeFormat = 108,
    ModeStream = 109,
};
} // namespace Cmd

// One command that arms the creation of an element type (or, for pages, creates one).
struct ControlCommand {
    int id;
    int type;            // type number; the tool mode the command sets
    const char* menuKey; // null when the command has no menu item
    const char* tipKey;  // tool tip of its button
    int bar;             // 0 none, 1 the controls bar, 2 the platform bar
};

// The "controls" menu in menu order, then the platform bar, then the commands that have
// neither a menu item nor a button.
inline constexpr ControlCommand kControlCommands[] = {
    {32775, 0, "33", "33", 1},     {32776, 1, "34", "34", 1},     {32831, 2, "35", "35", 1},
    {32832, 4, "36", "36", 1},     {32833, 3, "37", "37", 1},     {32835, 5, "38", "38", 1},
    {32836, 6, "39", "39", 1},     {32837, 7, "40", "40", 1},     {32838, 8, "41", "41", 1},
    {32839, 9, "42", "42", 1},     {32840, 10, "43", "43", 1},    {32841, 11, "44", "44", 1},
    {32845, 12, "45", "45", 1},    {32846, 13, "46", "46", 1},    {32883, 14, "47", "47", 1},
    {32884, 15, "48", "48", 1},    {32929, 16, "235", "235", 1},  {32940, 21, "258", "258", 1},
    {32931, 17, "236", "236", 1},  {32939, 20, "257", "257", 1},  {32937, 19, "254", "254", 1},
    {32941, 22, "259", "259", 1},  {32942, 23, "260", "260", 1},  {32949, 24, "331", "331", 1},
    {32950, 25, "368", "368", 1},  {32959, 28, "390", "390", 1},  {32961, 30, "393", "393", 1},
    {32962, 31, "413", "413", 1},  {32970, 33, "422", "422", 1},  {32971, 34, "423", "423", 1},
    {32974, 35, "429", "429", 1},  {32976, 36, "431", "431", 1},
    {32951, 26, nullptr, "384", 2}, {32958, 27, nullptr, "387", 2}, {32960, 29, nullptr, "392", 2},
    {32969, 32, nullptr, "421", 2},
    {32933, 18, nullptr, "237", 0}, {32978, 37, nullptr, "447", 0},
};

// The buttons of the other bars with their tool-tip keys, in bar order.
struct BarButton {
    int id;
    const char* tipKey;
};

inline constexpr BarButton kStandardBar[] = {
    {Cmd::NewProject, "28"}, {Cmd::OpenProject, "29"}, {Cmd::SaveProject, "30"}, {Cmd::CloseProject, "31"}};
inline constexpr BarButton kOtherBar[] = {
    {Cmd::SendCodeBrush, "61"}, {Cmd::ColorBrush, "62"},     {Cmd::FontBrush, "63"},
    {Cmd::TextBrush, "64"},     {Cmd::InterlockBrush, "65"}, {Cmd::AddressBrush, "271"},
    {Cmd::FormatPainter, "324"}, {Cmd::StreamBrush, "419"}};
inline constexpr BarButton kEditBar[] = {{Cmd::Undo, "59"}, {Cmd::Redo, "60"}};
inline constexpr BarButton kAlignBar[] = {
    {Cmd::AlignLeft, "49"},          {Cmd::AlignRight, "50"},
    {Cmd::AlignTop, "51"},           {Cmd::AlignBottom, "52"},
    {Cmd::CenterHorizontally, "53"}, {Cmd::CenterVertically, "54"},
    {Cmd::DistributeHorizontally, "55"}, {Cmd::DistributeVertically, "56"},
    {Cmd::AlignMiddles, "57"},       {Cmd::AlignCentres, "58"}};
