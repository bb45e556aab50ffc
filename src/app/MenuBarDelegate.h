#pragma once

class CMyMenuBar;

// What the menu bar asks of the main frame each time it is built from a menu.
class MenuBarDelegate {
public:
    virtual ~MenuBarDelegate() = default;
    // Gives the five top-level items their texts in the current language and lays the bar out.
    virtual void RelabelMenuBar(CMyMenuBar& bar) = 0;
};
