// The client area of a top-level window: shows the window's retained client
// image pixel for pixel and reports left-button presses.
#pragma once

#include <QtWidgets/QWidget>

#include "platform/messages.h"

namespace kelto::platform {

class DisplayHost;

class ClientView : public QWidget {
public:
    ClientView(DisplayHost &host, WindowHandle window, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    DisplayHost &host_;
    WindowHandle window_;
};

}  // namespace kelto::platform
