// The card model's edits: placing, moving and selecting items.
#include "card_model.h"

#include <cmath>

namespace {

// Puts a new item into the next free slot with a fresh counter and selects it.
void place_item(int x, int y, ItemKind kind, int color, CardModel &model) {
    if (model.item_count >= MAX_ITEMS) return;
    model.mode = OBJECT_SELECTED;
    const int slot = model.item_count;
    ++model.item_count;
    model.kind[slot] = kind;
    model.variant[slot] = 0;
    model.color[slot] = color;
    model.x[slot] = x;
    model.y[slot] = y;
    model.counter[slot] = 0;
    model.selected = slot;
}

}  // namespace

void card_click(int x, int y, CardModel &model) {
    if (model.mode == ADD_SHAPE) add_shape(x, y, model);
    if (model.mode == ADD_MESSAGE) add_message(x, y, model);
    if (model.mode == OBJECT_SELECTED) {
        model.x[model.selected] = x;
        model.y[model.selected] = y;
    }
    if (model.mode == SELECT_OBJECT) {
        select_nearest(x, y, model);
        model.mode = OBJECT_SELECTED;
    }
}

void add_shape(int x, int y, CardModel &model) {
    place_item(x, y, ITEM_SHAPE, BLACK, model);
}

void add_message(int x, int y, CardModel &model) {
    place_item(x, y, ITEM_MESSAGE, RED, model);
}

void select_nearest(int x, int y, CardModel &model) {
    for (int i = 0; i < model.item_count; ++i) {
        const double candidate =
            point_distance(x, y, model.x[model.selected], model.y[model.selected]);
        if (candidate > point_distance(x, y, model.x[i], model.y[i])) model.selected = i;
    }
}

double point_distance(int x1, int y1, int x2, int y2) {
    // Differences and squares in double: exact for any point on or near the
    // card, and free of integer overflow for points far outside it.
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    return std::sqrt(dx * dx + dy * dy);
}
