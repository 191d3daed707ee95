// The menu bar view: rebuilds the QMenuBar from the model when its structure
// changes and otherwise follows check marks and greyed states in place.
#include "platform/qt/menu_bar.h"

#include <QtGui/QAction>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>

#include "platform/display_host.h"

namespace kelto::platform {

MenuBarView::MenuBarView(QMenuBar &bar, DisplayHost &host, WindowHandle window)
    : bar_(bar), host_(host), window_(window) {
    // The key hints are text only: the library's key handling sees every Ctrl
    // key, so neither a native menu bar nor shortcuts may take them.
    bar_.setNativeMenuBar(false);
}

void MenuBarView::sync(MenuHandle menu) {
    const std::string layout = host_.menu_layout(menu);
    if (layout != layout_) {
        layout_ = layout;
        rebuild(menu);
    }
    update_states();
}

void MenuBarView::rebuild(MenuHandle menu) {
    entries_.clear();
    bar_.clear();
    qDeleteAll(drop_downs_);
    drop_downs_.clear();
    add_items(bar_, menu);
    bar_.setVisible(host_.menu(menu) != nullptr);
}

void MenuBarView::add_items(QWidget &target, MenuHandle menu) {
    const Menu *model = host_.menu(menu);
    if (!model) return;
    auto *as_menu = qobject_cast<QMenu *>(&target);
    for (std::size_t i = 0; i < model->items.size(); ++i) {
        const MenuItem &item = model->items[i];
        const QString text = QString::fromLatin1(item.text);
        if (item.separator) {
            if (as_menu) as_menu->addSeparator();
        } else if (item.popup) {
            auto *drop_down = new QMenu(text, &target);
            if (&target == &bar_) drop_downs_.push_back(drop_down);
            add_items(*drop_down, item.popup);
            target.addAction(drop_down->menuAction());
        } else {
            auto *action = new QAction(text, &target);
            target.addAction(action);
            entries_.push_back(Entry{action, menu, i});
            const int id = item.id;
            QObject::connect(action, &QAction::triggered, &bar_, [this, id] {
                host_.report(MenuCommand{window_, id});
                // Qt toggles a checkable action on its own; the model decides.
                update_states();
            });
        }
    }
}

void MenuBarView::update_states() {
    for (const Entry &entry : entries_) {
        const Menu *model = host_.menu(entry.menu);
        if (!model || entry.index >= model->items.size()) continue;
        const MenuItem &item = model->items[entry.index];
        // Only a checked item is checkable, so unchecked items show no box.
        entry.action->setCheckable(item.checked);
        entry.action->setChecked(item.checked);
        entry.action->setEnabled(!item.greyed);
    }
}

}  // namespace kelto::platform
