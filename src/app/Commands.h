#pragma once

#include <QtGlobal>

// Command identifiers of the menus, tool bars and pop-up menus, and the tables that give
// each its translation keys. Keys are the texts' numbers in the translation files. The
// commands that create elements are listed with their types in the type registry.
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
    CheckProject = 32990,
    Preview = 33100,
    ExportPrototype = 33101,
    Overview = 33041,
    FindReplace = 33042,
    ImageLibrary = 33043,
    ExportCodes = 33044,
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
    ViewCut = 33200,
    ViewDuplicate = 33201,
    ViewSelectAll = 33202,

    // Grid, snapping, more zoom steps and the page windows
    ShowGrid = 33210,
    SnapToGrid = 33211,
    SmartGuides = 33212,
    GridSpacing = 33213,
    ZoomIn = 33220,
    ZoomOut = 33221,
    ZoomFit = 33222,
    Zoom400 = 33223,
    Zoom300 = 33224,
    Zoom150 = 33225,
    Zoom25 = 33226,
    PageTabs = 33230,

    // The recent projects of the file menu
    RecentFirst = 57616,
    RecentLast = 57619,
};
} // namespace Cmd

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
inline constexpr BarButton kPreviewBar[] = {{Cmd::Preview, "1500"}};
inline constexpr BarButton kEditBar[] = {{Cmd::Undo, "59"}, {Cmd::Redo, "60"}};
inline constexpr BarButton kAlignBar[] = {
    {Cmd::AlignLeft, "49"},          {Cmd::AlignRight, "50"},
    {Cmd::AlignTop, "51"},           {Cmd::AlignBottom, "52"},
    {Cmd::CenterHorizontally, "53"}, {Cmd::CenterVertically, "54"},
    {Cmd::DistributeHorizontally, "55"}, {Cmd::DistributeVertically, "56"},
    {Cmd::AlignMiddles, "57"},       {Cmd::AlignCentres, "58"}};

// The zoom menu's fixed steps.
struct ZoomItem {
    int id;
    double value;
    const char* text;
};
inline constexpr ZoomItem kZoomItems[] = {
    {Cmd::Zoom400, 4.0, "400%"}, {Cmd::Zoom300, 3.0, "300%"}, {Cmd::Zoom200, 2.0, "200%"},
    {Cmd::Zoom150, 1.5, "150%"}, {Cmd::Zoom100, 1.0, "100%"}, {Cmd::Zoom75, 0.75, "75%"},
    {Cmd::Zoom50, 0.5, "50%"},   {Cmd::Zoom25, 0.25, "25%"}};

// The layout bar, and the menu texts of its commands and of the edit menu's own.
inline constexpr BarButton kLayoutBar[] = {
    {Cmd::ShowGrid, "2206"}, {Cmd::SnapToGrid, "2207"}, {Cmd::SmartGuides, "2208"},
    {Cmd::ZoomOut, "2211"},  {Cmd::ZoomIn, "2210"},     {Cmd::ZoomFit, "2212"}};
// The edit menu: what the design view does, by the view's own command numbers.
inline constexpr BarButton kEditMenu[] = {
    {Cmd::ViewCut, "2201"},       {Cmd::ViewCopy, "225"},   {Cmd::ViewPaste, "226"},
    {Cmd::ViewDuplicate, "2202"}, {Cmd::ViewDelete, "227"}, {Cmd::ViewSelectAll, "2203"}};
