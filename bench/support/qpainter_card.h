// The card designer's frame drawn with QPainter on a QImage, antialiasing
// off, as a peer. Pixels differ in detail (Qt's own coverage rules and font
// rendering); the work is the same.
#pragma once

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <QtGui/QPen>
#include <algorithm>

#include "draw/palette.h"
#include "support/card_frame.h"

namespace kelto::bench {

// A painter for CardFrame.
class QPainterCard {
public:
    // Program point (0, 0) is pixel (origin_x, origin_y), as on the surface.
    QPainterCard(QPainter &painter, int origin_x, int origin_y)
        : painter_(painter), origin_x_(origin_x), origin_y_(origin_y) {
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, false);
        font_.setFamily("DejaVu Sans");
        font_.setStyleStrategy(QFont::NoAntialias);
    }

    void box(int index, int x1, int y1, int x2, int y2, int width) {
        const QRect rect(map(std::min(x1, x2), std::max(y1, y2)),
                         map(std::max(x1, x2), std::min(y1, y2)));
        if (width == 0) {
            painter_.fillRect(rect, color(index));
            return;
        }
        use(index, width, false);
        painter_.drawRect(rect.adjusted(0, 0, -1, -1));
    }

    void disc(int index, int x, int y, int r) {
        use(index, 1, true);
        painter_.drawEllipse(map(x, y), r, r);
    }

    void triangle(int index, FramePoint a, FramePoint b, FramePoint c) {
        use(index, 1, true);
        const QPoint points[] = {map(a.x, a.y), map(b.x, b.y), map(c.x, c.y)};
        painter_.drawPolygon(points, 3);
    }

    void line(int index, int x1, int y1, int x2, int y2, int width) {
        use(index, width, false);
        painter_.drawLine(map(x1, y1), map(x2, y2));
    }

    // The first line stands on the anchor: its cell ends on the anchor's row.
    void text(int index, int x, int y, int size, const char *string) {
        font_.setPixelSize(size > 0 ? size : 13);
        painter_.setFont(font_);
        painter_.setPen(color(index));
        const QPoint anchor = map(x, y);
        painter_.drawText(anchor.x(), anchor.y() - painter_.fontMetrics().descent(),
                          QString::fromLatin1(string));
    }

private:
    QPoint map(int x, int y) const { return QPoint(origin_x_ + x, origin_y_ - y); }

    static QColor color(int index) { return QColor::fromRgb(draw::palette_value(index)); }

    void use(int index, int width, bool filled) {
        painter_.setPen(QPen(color(index), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter_.setBrush(filled ? QBrush(color(index)) : QBrush(Qt::NoBrush));
    }

    QPainter &painter_;
    int origin_x_;
    int origin_y_;
    QFont font_;
};

}  // namespace kelto::bench
