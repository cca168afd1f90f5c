#pragma once
// Menus on Qt: a form's main menu as a menu bar, pop-up menus as Qt pop-ups. Choosing an item
// clicks the toolkit's item; opening a sub-menu clicks its parent item first, as the desktop does.
#include <QMenu>
#include <QMenuBar>

#include "toolkit/ui/widgets/Menus.h"

// Fills target with the visible sub-items of parent (separators, sub-menus, checks, shortcuts).
void FillQtMenu(QMenu& target, TMenuItem& parent);

// A menu bar that follows a main menu's changes.
class TQtMenuBar : public QMenuBar {
public:
    explicit TQtMenuBar(TMainMenu& menu);
    ~TQtMenuBar() override;
    // Rebuilds once the current event is over (an item's click may change the menu).
    void ScheduleRebuild();
    void Rebuild();
    // Opens the first menu for the keyboard (F10, or a lone Alt the style did not take): Left and
    // Right move between menus, Escape closes and gives the focus back. False when the bar is busy
    // already or has no menu to open.
    bool OpenFirstMenu();

private:
    TComponentRef<TMainMenu> menu_;
    bool pending_ = false;
};

// The pop-up service the renderer installs: shows the menu at (x, y) on the screen, without
// waiting for a choice.
void PopupQtMenu(TPopupMenu& menu, int x, int y);
