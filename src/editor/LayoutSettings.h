#pragma once

// How the design views of one project help placing controls: the grid and the snapping
// of dragged edges. Editor state only; it is kept beside the project, never in it.
struct LayoutSettings {
    static constexpr int kDefaultGridSpacing = 10;
    static constexpr int kMinGridSpacing = 2;
    static constexpr int kMaxGridSpacing = 500;

    int gridSpacing = kDefaultGridSpacing; // project pixels
    bool showGrid = false;
    bool snapToGrid = false;
    // Edges and centres snap to the page's and to other controls', with guide lines.
    bool smartGuides = true;

    bool Snaps() const { return snapToGrid || smartGuides; }
    static bool IsValidSpacing(int spacing) { return spacing >= kMinGridSpacing && spacing <= kMaxGridSpacing; }
    bool operator==(const LayoutSettings& o) const
    {
        return gridSpacing == o.gridSpacing && showGrid == o.showGrid && snapToGrid == o.snapToGrid
            && smartGuides == o.smartGuides;
    }
    bool operator!=(const LayoutSettings& o) const { return !(*this == o); }
};
