// The card designer's model of the card: the card colour, the editing mode,
// the table of placed items and the selection, and the edits a click on the
// card makes to them.
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

// Applies a click at (x, y) on the card, by mode: places a new item (which
// selects it), moves the selected item there, or selects the nearest item.
// Each test sees the mode the previous step left, so a placement is followed
// by a move of the new item to the point it already has.
void card_click(int x, int y, CardModel &model);

// Places a black heart at (x, y) and selects it; ignored on a full card.
void add_shape(int x, int y, CardModel &model);

// Places a red "Be Mine" at (x, y) and selects it; ignored on a full card.
void add_message(int x, int y, CardModel &model);

// Selects the item nearest to (x, y). On a tie the current selection stays if
// it is among the nearest, else the lowest slot wins.
void select_nearest(int x, int y, CardModel &model);

// Euclidean distance between (x1, y1) and (x2, y2).
double point_distance(int x1, int y1, int x2, int y2);
