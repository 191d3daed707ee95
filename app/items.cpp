// Drawing of the card's items. Every call draws one frame of one item; the
// messages and the arrow step their counter, the heart, burst and sun draw one
// value from the generator each.
#include "items.h"

#include <cmath>

#include "card_model.h"
#include "kelto.h"

namespace {

// Message sizes run 0..19; arrow frames 0..9.
constexpr int MESSAGE_SIZES = 20;
constexpr int ARROW_FRAMES = 10;

// A full turn as the burst counts it; deliberately not 2 pi.
constexpr double BURST_TURN = 6.2832;
constexpr double BURST_RADIUS = 40.0;

// Truncation toward zero of a double coordinate.
int trunc_int(double v) {
    return static_cast<int>(v);
}

}  // namespace

void draw_message(int variant, int color, int x, int y, int &counter) {
    counter = (counter + 1) % MESSAGE_SIZES;
    // Variants are 0..5 by construction; anything else has no phrase to show.
    if (variant < 0 || variant >= PHRASE_COUNT) return;
    KELTO_text_printf(color, x, y, counter, "%s", PHRASES[variant]);
}

void draw_shape(int variant, int color, int x, int y, int &counter, CardRandom &random) {
    switch (variant % SHAPE_DESIGNS) {
        case 0: draw_heart(x, y, color, random); break;
        case 1: draw_burst(x, y, color, random); break;
        case 2: draw_arrow(x, y, color, counter); break;
        case 3: draw_sun(x, y, color, random); break;
        default: break;
    }
}

void draw_heart(int x, int y, int color, CardRandom &random) {
    const int d = card_random_next(random) % 4 + 17;
    KELTO_circle(color, x - d + 5, y, d);
    KELTO_circle(color, x + d - 5, y, d);
    KELTO_triangle(color, x - 2 * d + 5, y - 5, x + 2 * d - 5, y - 5, x, y - 2 * d - 5, 0);
}

void draw_burst(int x, int y, int color, CardRandom &random) {
    const int k = card_random_next(random) % 3 + 5;
    const double step = BURST_TURN / k;
    // The angle is accumulated by repeated addition, so rounding decides the
    // line count: k = 7 ends just below a full turn and draws an eighth line.
    for (double a = 0.0; a < BURST_TURN; a += step) {
        const int g = trunc_int(std::cos(a) * BURST_RADIUS);
        const int h = trunc_int(std::sin(a) * BURST_RADIUS);
        KELTO_line(color, x + g, y + h, x - g, y - h, 1);
    }
}

void draw_arrow(int x, int y, int color, int &counter) {
    const int n = counter;
    // Centre: 10 units right per frame along a shallow arc.
    const int cx = x + (100 * n) / 10;
    const double rise = std::sin(n / 6.28) * 20.0 + static_cast<double>((-20 * n) / 10);
    const double X = cx;
    const double Y = y + trunc_int(rise);
    // Heading turns from up-right to down-right; the arrow points along (c, -s).
    const double theta = (n - 5) / 12.0;
    const double c = std::cos(theta);
    const double s = std::sin(theta);

    KELTO_line(color, trunc_int(X - 30 * c), trunc_int(Y + 30 * s), trunc_int(X + 30 * c),
               trunc_int(Y - 30 * s), 3);
    KELTO_triangle(color, trunc_int(X + 36 * c), trunc_int(Y - 36 * s),
                   trunc_int(X + 30 * c + 3 * s), trunc_int(Y - 30 * s + 3 * c),
                   trunc_int(X + 30 * c - 3 * s), trunc_int(Y - 30 * s - 3 * c), 0);
    // Six strokes across the tail, each a triangle of three collinear points.
    const int tail_color = (color + 2) % PALETTE_SIZE;
    for (int i = 0; i < 6; ++i) {
        const int L = 30 + 2 * i;
        KELTO_triangle(tail_color, trunc_int(X - L * c), trunc_int(Y + L * s),
                       trunc_int(X - L * c + 3 * s), trunc_int(Y + L * s + 3 * c),
                       trunc_int(X - L * c - 3 * s), trunc_int(Y + L * s - 3 * c), 0);
    }
    counter = (n + 1) % ARROW_FRAMES;
}

void draw_sun(int x, int y, int color, CardRandom &random) {
    KELTO_circle(color, x, y, 30);
    draw_burst(x, y, color, random);
}
