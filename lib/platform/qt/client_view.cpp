// Painting the retained client image and taking left-button presses.
#include "platform/qt/client_view.h"

#include <QtGui/QImage>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QRegion>

#include "platform/window_system.h"

namespace kelto::platform {

namespace {
constexpr uintptr_t MK_LBUTTON = 0x0001;
}

ClientView::ClientView(WindowSystem &windows, WindowHandle window, QWidget *parent)
    : QWidget(parent), windows_(windows), window_(window) {
    // Every pixel comes from the retained image; Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void ClientView::paintEvent(QPaintEvent *event) {
    const Window *window = windows_.find(window_);
    if (!window) return;
    const Image &image = window->image;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // The image is shown in place without a copy; the unused top byte of
    // 0x00RRGGBB is what Format_RGB32 ignores.
    const QImage view(reinterpret_cast<const uchar *>(image.pixels.data()), image.width,
                      image.height, image.width * 4, QImage::Format_RGB32);
    const QRect shown = QRect(0, 0, image.width, image.height) & event->rect();
    if (!shown.isEmpty()) painter.drawImage(shown.topLeft(), view, shown);
    // While Qt's size and the window system's disagree, the rest is background.
    const QRegion rest = QRegion(event->rect()) - QRegion(0, 0, image.width, image.height);
    const QColor background = QColor::fromRgb(window->background);
    for (const QRect &rect : rest) painter.fillRect(rect, background);
}

void ClientView::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || !windows_.window_enabled(window_)) return;
    const QPoint at = event->position().toPoint();
    windows_.post_message(window_, WM_LBUTTONDOWN, MK_LBUTTON, make_lparam(at.x(), at.y()));
}

}  // namespace kelto::platform
