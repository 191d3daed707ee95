// The card designer's main routine and event loop, the drawing of the
// background and the card, and the handling of clicks on the card.
#include "card_designer.h"

#include <cmath>
#include <cstdint>
#include <ctime>

#include "items.h"
#include "panel.h"

namespace {

// Where the status line stands, just below the card.
constexpr int STATUS_X = -140;
constexpr int STATUS_Y = -190;

struct StatusLine {
    int color;
    int size;
    const char *text;
};

// The status line that tells the user what a click on the card will do.
StatusLine status_line(EditMode mode) {
    switch (mode) {
        case ADD_SHAPE: return {BLACK, 14, "Click on the card to add a shape"};
        case ADD_MESSAGE: return {BLACK, 14, "Click on the card to add a message"};
        case OBJECT_SELECTED: return {RED, 11, "Object selected. Click button to change shape."};
        case SELECT_OBJECT: return {BLACK, 14, "Click on the card to select an object"};
        default: return {BLACK, 14, "Status error -- notify programmer"};
    }
}

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

// A click on the card, by mode. Each test sees the mode the previous step
// left, so a placement (which selects the new item) is followed by a move of
// that item to the point it already has.
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

}  // namespace

int card_designer_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
                       int show_state) {
    // The model starts with its initial values; the generator inside it is
    // seeded from the clock before the library starts.
    CardModel model;
    card_random_seed(model.random, static_cast<uint32_t>(std::time(nullptr)));
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_show_text(0);
    KELTO_logging(0);
    KELTO_clear();
    KELTO_run_control(RUN_ANIMATE);

    while (!model.done) {
        draw_background();
        draw_card(model);
        draw_panel(model.highlight);
        int x = 0;
        int y = 0;
        char key = 0;
        const int event = KELTO_await_event(&x, &y, &key);
        // Keys and ticks change nothing here; the redraw advances animations.
        if (event == KELTO_MOUSE) {
            handle_click(x, y, model);
        } else if (event == KELTO_QUIT) {
            model.done = true;
        }
    }

    KELTO_close();
    return 0;
}

void draw_background() {
    KELTO_rectangle(WHITE, -300, -250, 300, 250, 0);
}

void draw_card(CardModel &model) {
    KELTO_rectangle(model.card_color, -140, -150, 220, 200, 0);
    for (int i = 0; i < model.item_count; ++i) {
        if (model.kind[i] == ITEM_MESSAGE) {
            draw_message(model.variant[i], model.color[i], model.x[i], model.y[i],
                         model.counter[i]);
        } else if (model.kind[i] == ITEM_SHAPE) {
            draw_shape(model.variant[i], model.color[i], model.x[i], model.y[i], model.counter[i],
                       model.random);
        }
    }
    const StatusLine status = status_line(model.mode);
    KELTO_text_printf(status.color, STATUS_X, STATUS_Y, status.size, "%s", status.text);
}

ClickZone classify_click(int x, int y) {
    if (x < -200 && y < 250 && y > 40) return ZONE_PANEL;
    if (x >= -140 && x < 220 && y >= -150 && y < 200) return ZONE_CARD;
    return ZONE_NONE;
}

void handle_click(int x, int y, CardModel &model) {
    switch (classify_click(x, y)) {
        case ZONE_PANEL: panel_command(x, y, model); break;
        case ZONE_CARD: card_click(x, y, model); break;
        default: break;
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
