// The card designer's main loop: the click zones, and the drawing of the
// background and the card, every frame, from the card model.
#pragma once

#include "card_model.h"
#include "kelto.h"

// Where a click landed.
enum ClickZone : int {
    ZONE_PANEL = 1,
    ZONE_CARD = 2,
    ZONE_NONE = 3,
};

// The program's main routine: sets up the library, runs the event loop until
// the user quits, closes the library and returns 0.
int card_designer_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
                       int show_state);

// Fills the drawing area (-300, -250) .. (300, 250) with white.
void draw_background();

// Draws the card rectangle, every item in slot order and the status line.
// Drawing advances the items' animation counters and the generator.
void draw_card(CardModel &model);

// The zone of a click point: ZONE_PANEL, ZONE_CARD or ZONE_NONE.
ClickZone classify_click(int x, int y);

// Applies one mouse click at (x, y) to the model.
void handle_click(int x, int y, CardModel &model);
