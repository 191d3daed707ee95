// Shows a window's menu bar model in a QMenuBar: drop-downs, key hints after
// '\t', '&' mnemonics, check marks and greyed items. Choosing an item reports
// its identifier as the window's menu command.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/menu.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace kelto::platform {

class DisplayHost;

class MenuBarView {
public:
    MenuBarView(QMenuBar &bar, DisplayHost &host, WindowHandle window);
    MenuBarView(const MenuBarView &) = delete;
    MenuBarView &operator=(const MenuBarView &) = delete;

    // Brings the QMenuBar up to date with `menu` (0: no menu bar). A change
    // of structure rebuilds it; otherwise only check marks and greyed states
    // change, so an open drop-down stays open.
    void sync(MenuHandle menu);

private:
    // A string item shown by a QAction: where its state lives in the model.
    struct Entry {
        QAction *action;
        MenuHandle menu;
        std::size_t index;
    };

    void rebuild(MenuHandle menu);
    void add_items(QWidget &target, MenuHandle menu);
    void update_states();

    QMenuBar &bar_;
    DisplayHost &host_;
    WindowHandle window_;
    std::string layout_;
    std::vector<Entry> entries_;
    std::vector<QMenu *> drop_downs_;  // children of bar_, deleted on rebuild
};

}  // namespace kelto::platform
