// The card designer's frame drawn with QPainter: the same rectangles, discs,
// triangles, lines and texts, from the same model and generator, that the
// card designer draws through KELTO, with antialiasing off. Pixels differ in
// detail (Qt's own coverage rules and font rendering); the work is the same.
#pragma once

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <QtGui/QPen>
#include <QtGui/QPolygon>
#include <cmath>

#include "card_designer.h"
#include "draw/palette.h"
#include "items.h"
#include "panel.h"

namespace kelto::bench {

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

    // draw_background, draw_card and draw_panel.
    void draw_frame(CardModel &model) {
        box(WHITE, -300, 250, 300, -250, 0);
        box(model.card_color, -140, 200, 220, -150, 0);
        for (int i = 0; i < model.item_count; ++i) {
            if (model.kind[i] == ITEM_MESSAGE) {
                model.counter[i] = (model.counter[i] + 1) % 20;
                text(model.color[i], model.x[i], model.y[i], model.counter[i],
                     PHRASES[model.variant[i] % PHRASE_COUNT]);
            } else if (model.kind[i] == ITEM_SHAPE) {
                shape(model, i);
            }
        }
        status(model.mode);
        for (int i = 0; i < BUTTON_COUNT; ++i) {
            const int top = 250 - 35 * i;
            box(BLACK, -296, top - 2, -200, top - 37, 1);
            text(i == model.highlight ? RED : BLACK, -294, top - 17, 12, BUTTON_LABELS[i]);
        }
    }

private:
    QPoint map(int x, int y) const { return QPoint(origin_x_ + x, origin_y_ - y); }

    static QColor color(int index) { return QColor::fromRgb(draw::palette_value(index)); }

    void use(int index, int width, bool filled) {
        painter_.setPen(QPen(color(index), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter_.setBrush(filled ? QBrush(color(index)) : QBrush(Qt::NoBrush));
    }

    // Corners (x1, y1) top-left and (x2, y2) bottom-right, both inclusive.
    void box(int index, int x1, int y1, int x2, int y2, int width) {
        const QRect rect(map(x1, y1), map(x2, y2));
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

    void triangle(int index, QPoint a, QPoint b, QPoint c) {
        use(index, 1, true);
        const QPoint points[] = {map(a.x(), a.y()), map(b.x(), b.y()), map(c.x(), c.y())};
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

    void status(EditMode mode) {
        switch (mode) {
            case ADD_SHAPE: text(BLACK, -140, -190, 14, "Click on the card to add a shape"); break;
            case ADD_MESSAGE:
                text(BLACK, -140, -190, 14, "Click on the card to add a message");
                break;
            case OBJECT_SELECTED:
                text(RED, -140, -190, 11, "Object selected. Click button to change shape.");
                break;
            case SELECT_OBJECT:
                text(BLACK, -140, -190, 14, "Click on the card to select an object");
                break;
            default: text(BLACK, -140, -190, 14, "Status error -- notify programmer"); break;
        }
    }

    static int trunc_int(double v) { return static_cast<int>(v); }

    void shape(CardModel &model, int i) {
        const int x = model.x[i], y = model.y[i], c = model.color[i];
        switch (model.variant[i] % SHAPE_DESIGNS) {
            case 0: {
                const int d = card_random_next(model.random) % 4 + 17;
                disc(c, x - d + 5, y, d);
                disc(c, x + d - 5, y, d);
                triangle(c, {x - 2 * d + 5, y - 5}, {x + 2 * d - 5, y - 5}, {x, y - 2 * d - 5});
                break;
            }
            case 1: burst(c, x, y, model.random); break;
            case 2: arrow(c, x, y, model.counter[i]); break;
            case 3:
                disc(c, x, y, 30);
                burst(c, x, y, model.random);
                break;
            default: break;
        }
    }

    void burst(int c, int x, int y, CardRandom &random) {
        const int k = card_random_next(random) % 3 + 5;
        const double turn = 6.2832, step = turn / k;
        for (double a = 0.0; a < turn; a += step) {
            const int g = trunc_int(std::cos(a) * 40.0), h = trunc_int(std::sin(a) * 40.0);
            line(c, x + g, y + h, x - g, y - h, 1);
        }
    }

    void arrow(int c, int x, int y, int &counter) {
        const int n = counter;
        const double X = x + (100 * n) / 10;
        const double Y = y + trunc_int(std::sin(n / 6.28) * 20.0 + (-20 * n) / 10);
        const double cs = std::cos((n - 5) / 12.0), sn = std::sin((n - 5) / 12.0);
        const auto at = [](double px, double py) { return QPoint(trunc_int(px), trunc_int(py)); };
        line(c, trunc_int(X - 30 * cs), trunc_int(Y + 30 * sn), trunc_int(X + 30 * cs),
             trunc_int(Y - 30 * sn), 3);
        triangle(c, at(X + 36 * cs, Y - 36 * sn), at(X + 30 * cs + 3 * sn, Y - 30 * sn + 3 * cs),
                 at(X + 30 * cs - 3 * sn, Y - 30 * sn - 3 * cs));
        for (int i = 0; i < 6; ++i) {
            const int L = 30 + 2 * i;
            triangle((c + 2) % PALETTE_SIZE, at(X - L * cs, Y + L * sn),
                     at(X - L * cs + 3 * sn, Y + L * sn + 3 * cs),
                     at(X - L * cs - 3 * sn, Y + L * sn - 3 * cs));
        }
        counter = (n + 1) % 10;
    }

    QPainter &painter_;
    int origin_x_;
    int origin_y_;
    QFont font_;
};

}  // namespace kelto::bench
