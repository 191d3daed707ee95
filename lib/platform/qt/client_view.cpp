// Painting the retained client image and taking left-button presses.
#include "platform/qt/client_view.h"

#include <QtGui/QImage>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QRegion>

#include "platform/display_host.h"

namespace kelto::platform {

ClientView::ClientView(DisplayHost &host, WindowHandle window, QWidget *parent)
    : QWidget(parent), host_(host), window_(window) {
    // Every pixel comes from the retained image; Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void ClientView::paintEvent(QPaintEvent *event) {
    const Window *window = host_.window(window_);
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
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    host_.report(Click{window_, at.x(), at.y()});
}

}  // namespace kelto::platform
