// The control panel: a column of six labelled buttons left of the card, and
// the command each button runs on the card model.
#pragma once

#include "card_model.h"

constexpr int BUTTON_COUNT = 6;

// Button labels from top to bottom; a button's command is fixed by its index.
inline constexpr char BUTTON_LABELS[BUTTON_COUNT][25] = {
    "Background color", "Object color", "Next, please", "Add Message", "Add Shape", "Select object",
};

// Draws the six buttons; the label at index `highlight` is red, the others
// black (-1 for none).
void draw_panel(int highlight);

// Runs the command of the button whose band holds (x, y). The colour and
// variant commands act on the selected slot whatever the mode; the mode
// buttons change only the mode.
void panel_command(int x, int y, CardModel &model);
