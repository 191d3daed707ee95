// The card designer's main routine and event loop, the drawing of the
// background and the card, and the click zones.
#include "card_designer.h"

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
