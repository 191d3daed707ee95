// The card's items: six phrases that grow on every frame, and four shape
// designs (heart, burst, arrow, sun), some animated at random.
#pragma once

#include "card_random.h"

constexpr int PHRASE_COUNT = 6;
constexpr int SHAPE_DESIGNS = 4;

// The phrases of the message items, indexed by variant.
inline constexpr char PHRASES[PHRASE_COUNT][25] = {
    "Be Mine", "True Love", "Be My Valentine", "Sweetie Pie", "I Love You", "Kiss me",
};

// Draws phrase `variant` at (x, y), one text size larger than on the last
// frame: the counter runs 1, 2, ..., 19, 0, 1, ... and is the size shown.
void draw_message(int variant, int color, int x, int y, int &counter);

// Draws shape design `variant` modulo 4 at (x, y); only the arrow uses the
// counter, and the heart, burst and sun draw from the generator.
void draw_shape(int variant, int color, int x, int y, int &counter, CardRandom &random);

// Two discs over a downward triangle, of a random size 17..20.
void draw_heart(int x, int y, int color, CardRandom &random);

// 5 to 7 (at random) lines of length 80 crossing at (x, y).
void draw_burst(int x, int y, int color, CardRandom &random);

// An arrow at frame `counter` (0..9) of its flight to the right; advances the
// counter.
void draw_arrow(int x, int y, int color, int &counter);

// A disc of radius 30 with a burst through it.
void draw_sun(int x, int y, int color, CardRandom &random);
