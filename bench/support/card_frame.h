// The card designer's busiest frame, told once for every peer renderer: the
// same rectangles, discs, triangles, lines and texts, from the same model and
// generator, that draw_background, draw_card and draw_panel draw through
// KELTO. A painter takes the calls in program coordinates, with KELTO's
// arguments:
//   box(color, x1, y1, x2, y2, width)    corners inclusive, width 0 fills
//   disc(color, x, y, radius)
//   triangle(color, {x, y}, {x, y}, {x, y})   filled
//   line(color, x1, y1, x2, y2, width)
//   text(color, x, y, size, string)       size 0: the default height
#pragma once

#include <cmath>

#include "card_designer.h"
#include "card_model.h"
#include "items.h"
#include "panel.h"

namespace kelto::bench {

struct FramePoint {
    int x;
    int y;
};

template <class Painter>
class CardFrame {
public:
    explicit CardFrame(Painter &painter) : painter_(painter) {}

    // draw_background, draw_card and draw_panel; the model's counters and
    // generator advance as they do there.
    void draw(CardModel &model) {
        painter_.box(WHITE, -300, -250, 300, 250, 0);
        painter_.box(model.card_color, -140, -150, 220, 200, 0);
        for (int i = 0; i < model.item_count; ++i) {
            if (model.kind[i] == ITEM_MESSAGE) {
                model.counter[i] = (model.counter[i] + 1) % 20;
                if (model.variant[i] >= 0 && model.variant[i] < PHRASE_COUNT)
                    painter_.text(model.color[i], model.x[i], model.y[i], model.counter[i],
                                  PHRASES[model.variant[i]]);
            } else if (model.kind[i] == ITEM_SHAPE) {
                shape(model, i);
            }
        }
        status(model.mode);
        for (int i = 0; i < BUTTON_COUNT; ++i) {
            const int top = 250 - 35 * i;
            painter_.box(BLACK, -296, top - 2, -200, top - 37, 1);
            painter_.text(i == model.highlight ? RED : BLACK, -294, top - 17, 12, BUTTON_LABELS[i]);
        }
    }

private:
    static int trunc_int(double v) { return static_cast<int>(v); }

    void status(EditMode mode) {
        switch (mode) {
            case ADD_SHAPE:
                painter_.text(BLACK, -140, -190, 14, "Click on the card to add a shape");
                break;
            case ADD_MESSAGE:
                painter_.text(BLACK, -140, -190, 14, "Click on the card to add a message");
                break;
            case OBJECT_SELECTED:
                painter_.text(RED, -140, -190, 11,
                              "Object selected. Click button to change shape.");
                break;
            case SELECT_OBJECT:
                painter_.text(BLACK, -140, -190, 14, "Click on the card to select an object");
                break;
            default:
                painter_.text(BLACK, -140, -190, 14, "Status error -- notify programmer");
                break;
        }
    }

    void shape(CardModel &model, int i) {
        const int x = model.x[i], y = model.y[i], c = model.color[i];
        switch (model.variant[i] % SHAPE_DESIGNS) {
            case 0: {
                const int d = card_random_next(model.random) % 4 + 17;
                painter_.disc(c, x - d + 5, y, d);
                painter_.disc(c, x + d - 5, y, d);
                painter_.triangle(c, {x - 2 * d + 5, y - 5}, {x + 2 * d - 5, y - 5},
                                  {x, y - 2 * d - 5});
                break;
            }
            case 1: burst(c, x, y, model.random); break;
            case 2: arrow(c, x, y, model.counter[i]); break;
            case 3:
                painter_.disc(c, x, y, 30);
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
            painter_.line(c, x + g, y + h, x - g, y - h, 1);
        }
    }

    void arrow(int c, int x, int y, int &counter) {
        const int n = counter;
        const double X = x + (100 * n) / 10;
        const double Y = y + trunc_int(std::sin(n / 6.28) * 20.0 + (-20 * n) / 10);
        const double cs = std::cos((n - 5) / 12.0), sn = std::sin((n - 5) / 12.0);
        const auto at = [](double px, double py) {
            return FramePoint{trunc_int(px), trunc_int(py)};
        };
        painter_.line(c, trunc_int(X - 30 * cs), trunc_int(Y + 30 * sn), trunc_int(X + 30 * cs),
                      trunc_int(Y - 30 * sn), 3);
        painter_.triangle(c, at(X + 36 * cs, Y - 36 * sn),
                          at(X + 30 * cs + 3 * sn, Y - 30 * sn + 3 * cs),
                          at(X + 30 * cs - 3 * sn, Y - 30 * sn - 3 * cs));
        for (int i = 0; i < 6; ++i) {
            const int L = 30 + 2 * i;
            painter_.triangle((c + 2) % PALETTE_SIZE, at(X - L * cs, Y + L * sn),
                              at(X - L * cs + 3 * sn, Y + L * sn + 3 * cs),
                              at(X - L * cs - 3 * sn, Y + L * sn - 3 * cs));
        }
        counter = (n + 1) % 10;
    }

    Painter &painter_;
};

// Draws the frame of `model` with `painter`.
template <class Painter>
void draw_card_frame(Painter &painter, CardModel &model) {
    CardFrame<Painter>(painter).draw(model);
}

}  // namespace kelto::bench
