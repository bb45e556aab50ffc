#pragma once

#include <QHash>
#include <QList>
#include <QString>

class CMainFrame;
class CMyMenuBar;
class CMyToolBar;
class QAction;
class QMenu;
class QWidget;

// The main frame's commands as the user reaches them: one action per command, the menu
// bar with its pop-up menus and the six tool bars, and their texts in the current
// language. Triggering an action runs the frame's command.
class FrameMenus {
public:
    explicit FrameMenus(CMainFrame& frame);

    // Creates the actions, the menu bar and the tool bars and puts them on the frame.
    void Build();

    QAction* Action(int commandId) const { return actions.value(commandId); }
    const QHash<int, QAction*>& Actions() const { return actions; }
    CMyMenuBar* MenuBar() const { return menu; }
    QList<CMyToolBar*> ToolBars() const { return toolBars; }

    // The top-level items of a menu bar get the texts of their menus' keys.
    void RelabelMenuBar(CMyMenuBar& bar) const;
    // Every pop-up menu title and item text in the current language.
    void RelabelMenus() const;
    // Menus, menu bar and tool bars in the current language.
    void Relabel() const;

private:
    QAction* MakeAction(int id, bool checkable, bool withIcon);
    QMenu* MakeMenu(QWidget* parent, const QString& key);
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();

    CMainFrame& frame;
    CMyMenuBar* menu = nullptr;
    QList<CMyToolBar*> toolBars;
    QHash<int, QAction*> actions;
    QHash<QMenu*, QString> menuKeys; // pop-up menu → translation key of its title
};
