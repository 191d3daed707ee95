// Tests of the card model: click zones, placement, the editing modes, the
// selection and the application's pseudo-random generator.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "card_designer.h"
#include "card_random.h"

namespace {

// Places a shape at each point through card clicks, as the user would after
// pressing "Add Shape" before each one.
void place_shapes(CardModel &model, std::initializer_list<std::pair<int, int>> points) {
    for (const auto &[x, y] : points) {
        model.mode = ADD_SHAPE;
        handle_click(x, y, model);
    }
}

TEST(ClickZone, CardIncludesLeftAndBottomEdgesOnly) {
    EXPECT_EQ(classify_click(-140, -150), ZONE_CARD);
    EXPECT_EQ(classify_click(219, 199), ZONE_CARD);
    EXPECT_EQ(classify_click(220, 0), ZONE_NONE);
    EXPECT_EQ(classify_click(0, 200), ZONE_NONE);
    EXPECT_EQ(classify_click(-141, 0), ZONE_NONE);
    EXPECT_EQ(classify_click(0, -151), ZONE_NONE);
}

TEST(ClickZone, PanelIsStrictlyInsideItsBounds) {
    EXPECT_EQ(classify_click(-300, 100), ZONE_PANEL);
    EXPECT_EQ(classify_click(-201, 249), ZONE_PANEL);
    EXPECT_EQ(classify_click(-201, 41), ZONE_PANEL);
    EXPECT_EQ(classify_click(INT_MIN, 100), ZONE_PANEL);
    EXPECT_EQ(classify_click(-250, 250), ZONE_NONE);
    EXPECT_EQ(classify_click(-250, 40), ZONE_NONE);
    EXPECT_EQ(classify_click(-200, 100), ZONE_NONE);
}

TEST(ClickZone, ClicksOutsideCardAndPanelChangeNothing) {
    CardModel model;
    for (const auto &[x, y] : {std::pair{220, 0}, {0, 200}, {-250, 250}, {-250, 40}, {-200, 100}}) {
        handle_click(x, y, model);
    }
    EXPECT_EQ(model.item_count, 0);
    EXPECT_EQ(model.mode, ADD_SHAPE);
    EXPECT_EQ(model.card_color, YELLOW);

    handle_click(-140, -150, model);
    EXPECT_EQ(model.item_count, 1);
}

TEST(CardModel, StartsWithAnEmptyYellowCardInShapeMode) {
    const CardModel model;
    EXPECT_EQ(model.card_color, YELLOW);
    EXPECT_EQ(model.mode, ADD_SHAPE);
    EXPECT_EQ(model.item_count, 0);
    EXPECT_EQ(model.selected, 0);
    EXPECT_EQ(model.highlight, -1);
    EXPECT_FALSE(model.done);
    for (int i = 0; i < MAX_ITEMS; ++i) {
        EXPECT_EQ(model.kind[i], ITEM_NONE);
        EXPECT_EQ(model.counter[i], 0);
    }
}

TEST(Placement, ShapeIsABlackHeartAtTheClickAndSelected) {
    CardModel model;
    model.variant[0] = 3;
    model.color[0] = NAVY_BLUE;
    model.counter[0] = 7;
    handle_click(10, 20, model);
    EXPECT_EQ(model.item_count, 1);
    EXPECT_EQ(model.selected, 0);
    EXPECT_EQ(model.mode, OBJECT_SELECTED);
    EXPECT_EQ(model.kind[0], ITEM_SHAPE);
    EXPECT_EQ(model.variant[0], 0);
    EXPECT_EQ(model.color[0], BLACK);
    EXPECT_EQ(model.x[0], 10);
    EXPECT_EQ(model.y[0], 20);
    EXPECT_EQ(model.counter[0], 0);
}

TEST(Placement, MessageIsARedBeMineInTheNextSlot) {
    CardModel model;
    place_shapes(model, {{0, 0}});
    model.mode = ADD_MESSAGE;
    handle_click(-30, 40, model);
    EXPECT_EQ(model.item_count, 2);
    EXPECT_EQ(model.selected, 1);
    EXPECT_EQ(model.mode, OBJECT_SELECTED);
    EXPECT_EQ(model.kind[1], ITEM_MESSAGE);
    EXPECT_EQ(model.variant[1], 0);
    EXPECT_EQ(model.color[1], RED);
    EXPECT_EQ(model.x[1], -30);
    EXPECT_EQ(model.y[1], 40);
}

TEST(Placement, FiftyFirstItemIsIgnoredInEitherAddMode) {
    CardModel model;
    for (int i = 0; i < MAX_ITEMS; ++i) place_shapes(model, {{i, i}});
    ASSERT_EQ(model.item_count, MAX_ITEMS);
    EXPECT_EQ(model.selected, MAX_ITEMS - 1);

    // Select slot 10 so that a wrongly applied move would show.
    model.mode = SELECT_OBJECT;
    handle_click(10, 10, model);
    ASSERT_EQ(model.selected, 10);
    const CardModel before = model;

    for (const EditMode mode : {ADD_SHAPE, ADD_MESSAGE}) {
        model.mode = mode;
        handle_click(100, -100, model);
        EXPECT_EQ(model.mode, mode);
        EXPECT_EQ(model.item_count, MAX_ITEMS);
        EXPECT_EQ(model.selected, 10);
        EXPECT_EQ(model.x, before.x);
        EXPECT_EQ(model.y, before.y);
        EXPECT_EQ(model.kind, before.kind);
    }
    add_message(0, 0, model);
    EXPECT_EQ(model.item_count, MAX_ITEMS);
}

TEST(Modes, SelectedItemFollowsEveryCardClickKeepingItsLook) {
    CardModel model;
    place_shapes(model, {{0, 0}, {50, 50}});
    model.variant[0] = 2;
    model.color[0] = GOLD;
    model.counter[0] = 4;
    model.selected = 0;

    handle_click(-100, -100, model);
    handle_click(30, -20, model);
    EXPECT_EQ(model.mode, OBJECT_SELECTED);
    EXPECT_EQ(model.x[0], 30);
    EXPECT_EQ(model.y[0], -20);
    EXPECT_EQ(model.variant[0], 2);
    EXPECT_EQ(model.color[0], GOLD);
    EXPECT_EQ(model.counter[0], 4);
    EXPECT_EQ(model.x[1], 50);
    EXPECT_EQ(model.item_count, 2);
}

TEST(Modes, SelectingClickPicksNearestWithoutMovingIt) {
    CardModel model;
    place_shapes(model, {{0, 0}, {100, 100}, {-100, 50}});
    model.mode = SELECT_OBJECT;
    handle_click(90, 80, model);
    EXPECT_EQ(model.selected, 1);
    EXPECT_EQ(model.mode, OBJECT_SELECTED);
    EXPECT_EQ(model.x[1], 100);
    EXPECT_EQ(model.y[1], 100);
    // The next click moves the item just selected.
    handle_click(5, 6, model);
    EXPECT_EQ(model.x[1], 5);
    EXPECT_EQ(model.y[1], 6);
}

TEST(Modes, ErrorModeIgnoresCardClicks) {
    CardModel model;
    place_shapes(model, {{0, 0}});
    model.mode = STATUS_ERROR;
    handle_click(40, 40, model);
    EXPECT_EQ(model.mode, STATUS_ERROR);
    EXPECT_EQ(model.item_count, 1);
    EXPECT_EQ(model.x[0], 0);
}

TEST(Modes, SelectingOnAnEmptyCardLeavesNothingBehind) {
    CardModel model;
    model.mode = SELECT_OBJECT;
    handle_click(10, 10, model);
    EXPECT_EQ(model.mode, OBJECT_SELECTED);
    EXPECT_EQ(model.selected, 0);
    handle_click(70, -70, model);
    EXPECT_EQ(model.item_count, 0);
    EXPECT_EQ(model.kind[0], ITEM_NONE);

    model.mode = ADD_MESSAGE;
    handle_click(-20, 30, model);
    EXPECT_EQ(model.item_count, 1);
    EXPECT_EQ(model.kind[0], ITEM_MESSAGE);
    EXPECT_EQ(model.x[0], -20);
    EXPECT_EQ(model.y[0], 30);
    EXPECT_EQ(model.counter[0], 0);
}

TEST(Selection, TieKeepsThePreviousSelectionIfAmongTheNearest) {
    CardModel model;
    place_shapes(model, {{-10, 0}, {10, 0}, {100, 100}});
    model.selected = 1;
    select_nearest(0, 0, model);
    EXPECT_EQ(model.selected, 1);
}

TEST(Selection, TieOtherwiseGoesToTheLowestSlot) {
    CardModel model;
    place_shapes(model, {{100, 100}, {-10, 0}, {10, 0}, {0, 10}});
    model.selected = 0;
    select_nearest(0, 0, model);
    EXPECT_EQ(model.selected, 1);
}

TEST(Selection, NoItemsKeepsTheSelection) {
    CardModel model;
    model.selected = 0;
    select_nearest(5, 5, model);
    EXPECT_EQ(model.selected, 0);
}

TEST(PointDistance, IsEuclideanAndSafeForFarPoints) {
    EXPECT_DOUBLE_EQ(point_distance(0, 0, 3, 4), 5.0);
    EXPECT_DOUBLE_EQ(point_distance(-140, -150, 220, 200), std::sqrt(360.0 * 360 + 350 * 350));
    EXPECT_DOUBLE_EQ(point_distance(7, 7, 7, 7), 0.0);
    EXPECT_GT(point_distance(INT_MIN, INT_MIN, INT_MAX, INT_MAX), 6e9);
}

TEST(CardRandom, FollowsTheLinearCongruentialSequence) {
    CardRandom random;
    card_random_seed(random, 1);
    EXPECT_EQ(card_random_next(random), 41);
    EXPECT_EQ(card_random_next(random), 18467);
    EXPECT_EQ(card_random_next(random), 6334);
    EXPECT_EQ(card_random_next(random), 26500);
    EXPECT_EQ(card_random_next(random), 19169);

    card_random_seed(random, 0);
    EXPECT_EQ(card_random_next(random), 38);
    EXPECT_EQ(card_random_next(random), 7719);
}

TEST(CardRandom, WrapsModulo2To32AndStaysIn15Bits) {
    CardRandom random;
    card_random_seed(random, 0xFFFFFFFFu);
    EXPECT_EQ(card_random_next(random), 35);
    EXPECT_EQ(card_random_next(random), 29739);
    for (int i = 0; i < 1000; ++i) {
        const int value = card_random_next(random);
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 32767);
    }
}

}  // namespace
