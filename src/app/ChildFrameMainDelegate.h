#pragma once

class XPage;

// What a page window asks of the main frame, in slot order.
class ChildFrameMainDelegate {
public:
    virtual ~ChildFrameMainDelegate() = default;
    // With a page: make it the active page (opening its window when open is set); with
    // none: no page window is active any more.
    virtual void ActivatePage(XPage* page, bool open) = 0;
    virtual void CloseAllPages() = 0;
};
