// The card designer's model of the card and its main loop: the card colour,
// the editing mode, the table of placed items and the selection, the click
// zones, and the drawing of the background and the card.
#pragma once

#include <array>

#include "card_random.h"
#include "kelto.h"

// The card holds at most this many items; items are never removed.
constexpr int MAX_ITEMS = 50;

// Colours are the palette indices 0 .. PALETTE_SIZE - 1.
constexpr int PALETTE_SIZE = 24;

// What a slot of the item table holds.
using ItemKind = int;
constexpr ItemKind ITEM_NONE = 0;
constexpr ItemKind ITEM_SHAPE = 1;
constexpr ItemKind ITEM_MESSAGE = 2;

// What a click on the card does, and which status line is shown.
enum EditMode : int {
    ADD_SHAPE = 1,
    ADD_MESSAGE = 2,
    OBJECT_SELECTED = 3,
    SELECT_OBJECT = 4,
    STATUS_ERROR = 999,
};

// Where a click landed.
enum ClickZone : int {
    ZONE_PANEL = 1,
    ZONE_CARD = 2,
    ZONE_NONE = 3,
};

// One value per slot of the item table.
// Slots are numbered as ints, like the item count and the selection.
struct ItemArray : std::array<int, MAX_ITEMS> {
    int &operator[](int slot) { return data()[slot]; }
    const int &operator[](int slot) const { return data()[slot]; }
};

// The whole application state, local to the main routine and passed by
// reference to every drawing and editing operation. Slots 0 .. item_count - 1
// hold items; every other slot has kind ITEM_NONE.
struct CardModel {
    int card_color = YELLOW;
    EditMode mode = ADD_SHAPE;
    int item_count = 0;
    // Target of the colour, variant and move commands; 0 before any item.
    int selected = 0;
    // Panel button drawn in red; -1 (none) for the whole run.
    int highlight = -1;
    bool done = false;
    // The item table: six parallel arrays indexed by slot.
    ItemArray kind{};
    ItemArray variant{};
    ItemArray color{};
    ItemArray x{};
    ItemArray y{};
    ItemArray counter{};
    // The pseudo-random generator lives here, since the application has no
    // globals; the heart, burst and sun designs each draw one value per frame.
    CardRandom random;
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

// Places a black heart at (x, y) and selects it; ignored on a full card.
void add_shape(int x, int y, CardModel &model);

// Places a red "Be Mine" at (x, y) and selects it; ignored on a full card.
void add_message(int x, int y, CardModel &model);

// Selects the item nearest to (x, y). On a tie the current selection stays if
// it is among the nearest, else the lowest slot wins.
void select_nearest(int x, int y, CardModel &model);

// Euclidean distance between (x1, y1) and (x2, y2).
double point_distance(int x1, int y1, int x2, int y2);
