// The card designer's busiest card, shared by the frame benchmarks: ten of
// each of the four shape designs and ten messages (30 discs, 80 triangles,
// about 135 lines, 17 texts with the panel and the status line), spread over
// a grid on the card in assorted colours.
#pragma once

#include "card_model.h"
#include "card_random.h"
#include "items.h"

namespace kelto::bench {

inline CardModel busiest_card() {
    CardModel model;
    card_random_seed(model.random, 1);
    for (int i = 0; i < MAX_ITEMS; ++i) {
        const int x = -120 + (i % 10) * 34;
        const int y = 170 - (i / 10) * 60;
        if (i % 5 < SHAPE_DESIGNS) {
            add_shape(x, y, model);
            model.variant[i] = i % 5;
        } else {
            add_message(x, y, model);
            model.variant[i] = (i / 5) % PHRASE_COUNT;
        }
        model.color[i] = i % PALETTE_SIZE;
    }
    return model;
}

}  // namespace kelto::bench
