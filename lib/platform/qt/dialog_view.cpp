// Dialog windows as QDialogs: the widgets of the items, the flow of typed
// text, presses, Escape and the close box to the window system.
#include "platform/qt/dialog_view.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <algorithm>

#include "platform/display_host.h"
#include "platform/qt/top_window.h"

namespace kelto::platform {

namespace {

QString to_qstring(const std::u16string &text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::WindowFlags flags_for(uint32_t style) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if ((style & WS_CAPTION) == WS_CAPTION) flags |= Qt::WindowTitleHint;
    if (style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return flags;
}

bool is_enter(const QKeyEvent &key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

}  // namespace

DialogView::DialogView(DisplayHost &host, WindowHandle dialog, QWidget *owner, const QFont &font)
    : QDialog(owner), host_(host), dialog_(dialog) {
    const Window *window = host_.window(dialog_);
    const Dialog *running = host_.dialog(dialog_);
    if (!window || !running) return;
    setWindowFlags(flags_for(window->style));
    setWindowModality(Qt::WindowModal);
    setWindowTitle(to_qstring(running->title));
    setFont(font);
    for (const DialogItem &item : running->items) {
        QWidget *widget = make_item(item);
        if (!widget) continue;
        widget->setGeometry(item.pixels.left, item.pixels.top, item.pixels.width(),
                            item.pixels.height());
        widget->setVisible((item.control.style & WS_VISIBLE) != 0);
        items_[item.control.id] = widget;
    }
    if (const DialogItem *focused_item = running->focused_item())
        if (QWidget *focused = item(focused_item->control.id)) focused->setFocus();
    setFixedSize(std::max(1, window->client.width()), std::max(1, window->client.height()));
    // A top-level window's position is that of its frame.
    move(window->outer.left, window->outer.top);
}

QWidget *DialogView::make_item(const DialogItem &item) {
    const int id = item.control.id;
    const QString text = to_qstring(item.control.text);
    switch (item.control.class_ordinal) {
        case DIALOG_CLASS_STATIC: {
            auto *label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setText(text);
            return label;
        }
        case DIALOG_CLASS_EDIT: {
            // Lines wrap at the field's width and it scrolls down as they
            // grow; Tab moves on and Enter presses the default button.
            auto *edit = new QPlainTextEdit(this);
            edit->setPlainText(text);
            edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            edit->setTabChangesFocus(true);
            edit->installEventFilter(this);
            QObject::connect(edit, &QPlainTextEdit::textChanged, this, [this, id, edit] {
                host_.report(DialogTextEdited{dialog_, id, edit->toPlainText().toStdU16String()});
            });
            return edit;
        }
        case DIALOG_CLASS_BUTTON: {
            const uint32_t type = item.control.style & BS_TYPEMASK;
            if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) return nullptr;
            auto *button = new QPushButton(text, this);
            if (type == BS_DEFPUSHBUTTON) {
                button->setDefault(true);
                default_button_ = button;
            }
            QObject::connect(button, &QPushButton::clicked, this, [this, id] {
                host_.report(DialogButton{dialog_, id});
            });
            return button;
        }
        default: return nullptr;
    }
}

QWidget *DialogView::item(int item_id) const {
    auto it = items_.find(item_id);
    return it == items_.end() ? nullptr : it->second;
}

void DialogView::set_shown(bool visible) {
    set_shown_in_front(*this, visible);
}

void DialogView::item_changed(int item_id) {
    const Dialog *running = host_.dialog(dialog_);
    QWidget *widget = item(item_id);
    if (!running || !widget) return;
    const auto model =
        std::find_if(running->items.begin(), running->items.end(),
                     [item_id](const DialogItem &i) { return i.control.id == item_id; });
    if (model == running->items.end()) return;
    const QString text = to_qstring(model->control.text);
    if (auto *edit = qobject_cast<QPlainTextEdit *>(widget)) {
        if (edit->toPlainText() != text) edit->setPlainText(text);
    } else if (auto *label = qobject_cast<QLabel *>(widget)) {
        label->setText(text);
    } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
        button->setText(text);
    }
}

void DialogView::reject() {
    host_.report(DialogCancel{dialog_});
}

void DialogView::closeEvent(QCloseEvent *event) {
    // The window system decides; the dialog procedure may keep the dialog open.
    event->ignore();
    host_.report(DialogClose{dialog_});
}

bool DialogView::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && is_enter(static_cast<const QKeyEvent &>(*event))) {
        press_default();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void DialogView::press_default() {
    if (default_button_) {
        default_button_->click();
        return;
    }
    host_.report(DialogButton{dialog_, IDOK});
}

}  // namespace kelto::platform
