#pragma once

#include <QString>

// What a page needs of the design view that shows it; the view implements it.
class PageWindow {
public:
    virtual ~PageWindow() = default;
    virtual void InvalidatePage() = 0;                 // repaint the whole view
    virtual void SetPageTitle(const QString& title) = 0;
    virtual void FitPageWindow() = 0;                  // the page size changed
};
