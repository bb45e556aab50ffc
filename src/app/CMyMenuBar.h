#pragma once

#include <QMenuBar>

class MenuBarDelegate;

// The main menu bar; after it is built it lets the main frame label its top-level items.
class CMyMenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit CMyMenuBar(MenuBarDelegate* delegate, QWidget* parent = nullptr);
    // Call once the menus are added.
    void Built();

private:
    MenuBarDelegate* delegate;
};
