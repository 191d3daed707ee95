// A running modal dialog of the window system on screen: a QDialog, modal to
// its owner's window and shown without a nested event loop, with a Qt widget
// for each item at the item's pixel place. What the user types into an edit
// field is reported as the item's text at once; a button press, Escape and
// the close box are reported too, and the dialog procedure decides what ends
// the dialog.
#pragma once

#include <QtWidgets/QDialog>
#include <map>

#include "platform/messages.h"

class QPushButton;

namespace kelto::platform {

struct DialogItem;
class DisplayHost;

class DialogView : public QDialog {
public:
    // The view of the dialog running in window `dialog`, in `font`, whose
    // metrics are the dialog's base units; `owner` shows its owner window.
    DialogView(DisplayHost &host, WindowHandle dialog, QWidget *owner, const QFont &font);

    WindowHandle handle() const { return dialog_; }
    // The widget that shows an item, or nullptr.
    QWidget *item(int item_id) const;

    void set_shown(bool visible);
    // Shows an item's text as the window system now holds it.
    void item_changed(int item_id);

    // Escape: the cancel command, which only the dialog procedure may act on.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *make_item(const DialogItem &item);
    // Enter in the edit field presses the default button, as elsewhere.
    void press_default();

    DisplayHost &host_;
    WindowHandle dialog_;
    std::map<int, QWidget *> items_;  // children of the dialog, which owns them
    QPushButton *default_button_ = nullptr;
};

}  // namespace kelto::platform
