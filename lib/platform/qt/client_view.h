// The client area of a top-level window: shows the window's retained client
// image pixel for pixel and turns left-button presses into WM_LBUTTONDOWN.
#pragma once

#include <QtWidgets/QWidget>

#include "platform/messages.h"

namespace kelto::platform {

class WindowSystem;

class ClientView : public QWidget {
public:
    ClientView(WindowSystem &windows, WindowHandle window, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    WindowSystem &windows_;
    WindowHandle window_;
};

}  // namespace kelto::platform
