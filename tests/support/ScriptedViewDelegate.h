#pragma once

#include "editor/MarvolentaViewMainDelegate.h"
#include "model/ControlMainDelegate.h"
#include "model/ProjectDataMainDelegate.h"

#include <QList>
#include <QStringList>

#include <functional>

// The main frame as design views, pages and controls see it, for tests: zoom, tool mode,
// current control, brush values and clipboard as the frame keeps them, every call to the
// tree and panes written to a log, and controls made by a replaceable factory (test
// controls by default).
class ScriptedViewDelegate : public MarvolentaViewMainDelegate,
                             public ControlMainDelegate,
                             public ProjectDataMainDelegate {
public:
    ScriptedViewDelegate();
    ~ScriptedViewDelegate() override;

    // MarvolentaViewMainDelegate
    int GetFrameExtraWidth() const override { return extraWidth; }
    int GetFrameExtraHeight() const override { return extraHeight; }
    IntRect PageRectToView(const IntRect& r) const override;
    QPoint ViewPointToPage(int x, int y) const override;
    QPoint PagePointToView(int x, int y) const override;
    int GetToolMode() const override { return toolMode; }
    void SetToolMode(int mode) override { toolMode = mode; }
    void SelectControl(XControl* control) override;
    void InsertTreeItem(ProjectData* project, XControl* element, const QString& label, int positionKind,
                        int expand) override;
    void MoveTreeItemDown(XControl* control) override;
    void MoveTreeItemUp(XControl* control) override;
    void ClearCurrentControl() override;
    void RefreshProperties() override;
    XControl* CreateControl(int typeNumber) override;
    XControl* GetCurrentControl() const override { return current; }
    int NextSendCode() override;
    COLORREF GetBrushColour() const override { return brushColour; }
    void CopyToClipboard(XPage* page) override;
    int GetClipboardCount() const override { return static_cast<int>(clipboard.size()); }
    void PasteFromClipboard(XPage* page) override;
    FontDesc GetBrushFont() const override { return brushFont; }
    QString GetBrushText() const override { return brushText; }
    QString NextBrushAddress() override;
    QString NextBrushStreamUrl() override;
    XPage* GetInterlockPage() const override { return interlockPage; }
    QString GetInterlockName() const override { return interlockName; }
    XControl* CloneControl(XControl* control, bool withIdentity) override;
    void ZoomStep(int delta) override;
    XControl* GetFormatSource() const override { return formatSource; }
    const LayoutSettings* GetLayoutSettings(const XPage*) const override { return layout; }

    // ControlMainDelegate
    int ScaleLength(int n) const override;
    QPoint MapPoint(int x, int y) const override { return PagePointToView(x, y); }
    IntRect MapRect(int left, int top, int right, int bottom) const override;
    using ControlMainDelegate::MapRect;
    void AddTreeItem(ProjectData* project, XControl* element, const QString& name, int type,
                     int flags) override;
    void UpdateTreeItem(XControl* element) override;
    void SelectElement(XControl* element) override { SelectControl(element); }
    QObject* GetMainFrame() override { return nullptr; }
    void RemoveTreeItem(XControl* element) override;
    const char* GetPngEncoder() const override { return "png"; }
    InterlockDlgMainDelegate* AsInterlockDlgMainDelegate() override { return nullptr; }
    XControl* GetPropertyElement() const override { return current; }
    void ClearProperties() override { ClearCurrentControl(); }
    void ShowProperties(XControl* element) override;
    void RefillProperties() override { RefreshProperties(); }
    XControl* DuplicateElement(XControl* element, bool withIdentity) override
    {
        return CloneControl(element, withIdentity);
    }
    void ClosePageView(XPage*) override {}

    // ProjectDataMainDelegate
    XControl* CreateElement(int typeNumber) override;
    ControlMainDelegate* AsControlMainDelegate() override { return this; }

    // Count of log entries starting with prefix.
    int Calls(const QString& prefix) const;

    double zoom = 1.0;
    int toolMode = 101;
    int extraWidth = 0;
    int extraHeight = 0;
    XControl* current = nullptr;
    int sendCode = 1;
    COLORREF brushColour = 0;
    FontDesc brushFont;
    QString brushText;
    quint32 brushAddress = 0xC0A80164;  // 192.168.1.100
    quint32 streamAddress = 0xC0A80164;
    int streamCount = 2;
    XPage* interlockPage = nullptr;
    QString interlockName;
    XControl* formatSource = nullptr;   // owned
    LayoutSettings* layout = nullptr;   // the grid and snapping; none by default
    QList<XControl*> clipboard;         // owned
    QList<int> zoomSteps;               // every delta passed to ZoomStep
    QStringList log;
    std::function<XControl*(int)> factory;
    // The frame makes the view of the control's page focus on it when it is selected.
    std::function<void(XControl*)> onSelect;
    // Called after every zoom change (the frame refits its views there).
    std::function<void()> onZoom;
};
