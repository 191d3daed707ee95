// Tests of the control panel's commands: which band runs which button, and
// what each command does to the card model.
#include "panel.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "card_designer.h"

namespace {

// Panel click points, one inside each button's band.
constexpr int PANEL_X = -250;
constexpr int BACKGROUND_COLOR_Y = 230;
constexpr int OBJECT_COLOR_Y = 195;
constexpr int NEXT_PLEASE_Y = 160;
constexpr int ADD_MESSAGE_Y = 125;
constexpr int ADD_SHAPE_Y = 90;
constexpr int SELECT_OBJECT_Y = 55;

void press(CardModel &model, int y) {
    handle_click(PANEL_X, y, model);
}

// The button a click at height y runs, told by its effect on a fresh model
// holding one shape in mode 3.
int button_at(int x, int y) {
    CardModel model;
    add_shape(0, 0, model);
    handle_click(x, y, model);
    if (model.card_color != YELLOW) return 0;
    if (model.color[0] != BLACK) return 1;
    if (model.variant[0] != 0) return 2;
    if (model.mode == ADD_MESSAGE) return 3;
    if (model.mode == ADD_SHAPE) return 4;
    if (model.mode == SELECT_OBJECT) return 5;
    return -1;
}

TEST(PanelBands, StepDownFromTheTopEdgeIn35UnitBands) {
    const struct {
        int top;
        int bottom;
        int button;
    } bands[] = {{249, 216, 0}, {215, 181, 1}, {180, 146, 2},
                 {145, 111, 3}, {110, 76, 4},  {75, 41, 5}};
    for (const auto &band : bands) {
        EXPECT_EQ(button_at(PANEL_X, band.top), band.button) << "y " << band.top;
        EXPECT_EQ(button_at(PANEL_X, band.bottom), band.button) << "y " << band.bottom;
    }
}

TEST(PanelBands, FollowTheBandsNotTheDrawnOutlines) {
    EXPECT_EQ(button_at(-250, 249), 0);
    // Inside the drawn outline of "Background color", but in the next band.
    EXPECT_EQ(button_at(-250, 214), 1);
    // Left of the outlines the bands still apply.
    EXPECT_EQ(button_at(-300, 100), 4);
}

TEST(PanelBands, RightEdgeOfThePanelZone) {
    EXPECT_EQ(button_at(-201, 100), 4);
    EXPECT_EQ(button_at(-200, 100), -1);
}

TEST(PanelCommand, IgnoresPointsRightOfThePanel) {
    CardModel model;
    panel_command(-199, BACKGROUND_COLOR_Y, model);
    EXPECT_EQ(model.card_color, YELLOW);
    EXPECT_EQ(model.mode, ADD_SHAPE);
}

TEST(PanelCommand, OutOfBandPointSetsTheErrorModeUntilAModeButton) {
    CardModel model;
    add_shape(0, 0, model);
    panel_command(-250, 300, model);
    EXPECT_EQ(model.mode, STATUS_ERROR);
    panel_command(-250, INT_MIN, model);
    EXPECT_EQ(model.mode, STATUS_ERROR);
    press(model, SELECT_OBJECT_Y);
    EXPECT_EQ(model.mode, SELECT_OBJECT);
}

TEST(BackgroundColor, RunsThroughAll24ColoursBackToYellow) {
    CardModel model;
    press(model, BACKGROUND_COLOR_Y);
    EXPECT_EQ(model.card_color, MAGENTA);
    for (int presses = 2; presses <= 24; ++presses) {
        press(model, BACKGROUND_COLOR_Y);
        if (presses == 19) {
            EXPECT_EQ(model.card_color, BLACK);
        }
        if (presses == 20) {
            EXPECT_EQ(model.card_color, WHITE);
        }
    }
    EXPECT_EQ(model.card_color, YELLOW);
    EXPECT_EQ(model.mode, ADD_SHAPE);
}

TEST(BackgroundColor, KeepsTheSelectMode) {
    CardModel model;
    add_shape(0, 0, model);
    add_shape(100, 100, model);
    press(model, SELECT_OBJECT_Y);
    press(model, BACKGROUND_COLOR_Y);
    EXPECT_EQ(model.mode, SELECT_OBJECT);
    handle_click(-10, 10, model);
    EXPECT_EQ(model.selected, 0);
    EXPECT_EQ(model.x[0], 0);
}

TEST(ObjectColor, RecolorsTheSelectedItemWhateverTheMode) {
    CardModel model;
    add_shape(0, 0, model);
    add_shape(50, 50, model);
    press(model, ADD_MESSAGE_Y);
    press(model, OBJECT_COLOR_Y);
    EXPECT_EQ(model.color[1], WHITE);
    EXPECT_EQ(model.color[0], BLACK);
    EXPECT_EQ(model.mode, ADD_MESSAGE);
    model.color[1] = GRAY_20;
    press(model, OBJECT_COLOR_Y);
    EXPECT_EQ(model.color[1], BLACK);
}

TEST(NextPlease, CyclesFourDesignsForAShape) {
    CardModel model;
    add_shape(0, 0, model);
    for (const int expected : {1, 2, 3, 0}) {
        press(model, NEXT_PLEASE_Y);
        EXPECT_EQ(model.variant[0], expected);
    }
    EXPECT_EQ(model.kind[0], ITEM_SHAPE);
}

TEST(NextPlease, CyclesSixPhrasesForAMessageAndKeepsTheCounter) {
    CardModel model;
    add_message(0, 0, model);
    model.counter[0] = 12;
    for (const int expected : {1, 2, 3, 4, 5, 0}) {
        press(model, NEXT_PLEASE_Y);
        EXPECT_EQ(model.variant[0], expected);
    }
    EXPECT_EQ(model.counter[0], 12);
    EXPECT_EQ(model.x[0], 0);
}

TEST(EmptyCard, ColourAndVariantCommandsTouchOnlyTheUnusedSlotZero) {
    CardModel model;
    press(model, OBJECT_COLOR_Y);
    press(model, NEXT_PLEASE_Y);
    EXPECT_EQ(model.item_count, 0);
    EXPECT_EQ(model.kind[0], ITEM_NONE);
    EXPECT_EQ(model.variant[0], 0);
    EXPECT_EQ(model.mode, ADD_SHAPE);
    EXPECT_EQ(model.card_color, YELLOW);

    // Placing the first item overwrites whatever slot 0 held.
    handle_click(0, 0, model);
    EXPECT_EQ(model.color[0], BLACK);
}

TEST(ModeButtons, ChangeOnlyTheMode) {
    CardModel model;
    add_shape(0, 0, model);
    add_message(30, 30, model);
    model.selected = 0;
    const CardModel before = model;
    for (const auto &[y, mode] : {std::pair{ADD_MESSAGE_Y, ADD_MESSAGE},
                                  {ADD_SHAPE_Y, ADD_SHAPE},
                                  {SELECT_OBJECT_Y, SELECT_OBJECT}}) {
        press(model, y);
        EXPECT_EQ(model.mode, mode);
        EXPECT_EQ(model.selected, 0);
        EXPECT_EQ(model.card_color, before.card_color);
        EXPECT_EQ(model.color, before.color);
        EXPECT_EQ(model.variant, before.variant);
    }
}

TEST(Labels, AreTheSixButtonsInPanelOrder) {
    EXPECT_STREQ(BUTTON_LABELS[0], "Background color");
    EXPECT_STREQ(BUTTON_LABELS[1], "Object color");
    EXPECT_STREQ(BUTTON_LABELS[2], "Next, please");
    EXPECT_STREQ(BUTTON_LABELS[3], "Add Message");
    EXPECT_STREQ(BUTTON_LABELS[4], "Add Shape");
    EXPECT_STREQ(BUTTON_LABELS[5], "Select object");
}

}  // namespace
