// Drawing of the control panel and its editing commands.
#include "panel.h"

#include <cstdint>

#include "items.h"

namespace {

// Buttons stand in steps of this many units downward from y = 250.
constexpr int BUTTON_STEP = 35;

// Moves the selected item to its next design or phrase.
void next_variant(CardModel &model) {
    const int slot = model.selected;
    if (model.kind[slot] == ITEM_SHAPE) {
        model.variant[slot] = (model.variant[slot] + 1) % SHAPE_DESIGNS;
    } else if (model.kind[slot] == ITEM_MESSAGE) {
        model.variant[slot] = (model.variant[slot] + 1) % PHRASE_COUNT;
    }
}

}  // namespace

void draw_panel(int highlight) {
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        const int top = 250 - BUTTON_STEP * i;
        KELTO_rectangle(BLACK, -296, top - 2, -200, top - 37, 1);
        KELTO_text_printf(i == highlight ? RED : BLACK, -294, top - 17, 12, "%s", BUTTON_LABELS[i]);
    }
}

void panel_command(int x, int y, CardModel &model) {
    if (x > -200) return;
    // Bands of 35 units down from y = 250, truncated toward zero; computed
    // wide so that no y can overflow.
    const int64_t index = (250 - static_cast<int64_t>(y)) / BUTTON_STEP;
    switch (index) {
        case 0: model.card_color = (model.card_color + 1) % PALETTE_SIZE; break;
        case 1:
            model.color[model.selected] = (model.color[model.selected] + 1) % PALETTE_SIZE;
            break;
        case 2: next_variant(model); break;
        case 3: model.mode = ADD_MESSAGE; break;
        case 4: model.mode = ADD_SHAPE; break;
        case 5: model.mode = SELECT_OBJECT; break;
        default: model.mode = STATUS_ERROR; break;
    }
}
