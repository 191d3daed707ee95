// Tests of the script's line forms: the text written for each event, and
// which lines count as complete event lines.
#include "script/script_line.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace kelto::script {
namespace {

TEST(ScriptLine, EachKindHasItsLine) {
    EXPECT_EQ(event_line(EventKind::Mouse, -120, 45, 0, 0), "KELTO_MOUSE(-120, 45);\n");
    EXPECT_EQ(event_line(EventKind::Key, 0, 0, static_cast<signed char>(233), 0),
              "KELTO_KBD(-23);\n");
    EXPECT_EQ(event_line(EventKind::Periodic, 0, 0, 0, 3), "KELTO_PERIODIC(3);\n");
    EXPECT_EQ(event_line(EventKind::Quit, 1, 2, 3, 4), "");
    EXPECT_EQ(event_line(EventKind::None, 1, 2, 3, 4), "");
}

TEST(ScriptLine, EveryWrittenLineIsCompleteWithoutItsNewline) {
    const std::string lines[] = {
        event_line(EventKind::Mouse, INT_MIN, INT_MAX, 0, 0),
        event_line(EventKind::Key, 0, 0, -128, 0),
        event_line(EventKind::Key, 0, 0, 127, 0),
        event_line(EventKind::Periodic, 0, 0, 0, INT_MAX),
    };
    for (const std::string &line : lines) {
        SCOPED_TRACE(line);
        ASSERT_EQ(line.back(), '\n');
        EXPECT_TRUE(is_complete_event_line(std::string_view(line).substr(0, line.size() - 1)));
        EXPECT_FALSE(is_complete_event_line(line));
    }
}

TEST(ScriptLine, LinesCutShortOrAlteredAreNotComplete) {
    const std::string_view incomplete[] = {
        "",
        "KELTO_MOUSE(1",
        "KELTO_MOUSE(1,",
        "KELTO_MOUSE(1, 2",
        "KELTO_MOUSE(1, 2)",
        "KELTO_MOUSE(1,2);",
        "KELTO_MOUSE(1, 2); ",
        "KELTO_MOUSE(1, 2);\r",
        " KELTO_MOUSE(1, 2);",
        "KELTO_MOUSE(+1, 2);",
        "KELTO_MOUSE(-, 2);",
        "KELTO_MOUSE(2147483648, 2);",
        "KELTO_KBD();",
        "KELTO_KBD(1x);",
        "KELTO_PERIODIC(-3);",
        "KELTO_PERIODIC(3",
        "KELTO_MXXXX(1, 2);",
        "kelto_kbd(1);",
        std::string_view("KELTO_KBD(1);\0", 14),
    };
    for (std::string_view line : incomplete) {
        SCOPED_TRACE(std::string(line));
        EXPECT_FALSE(is_complete_event_line(line));
    }
}

}  // namespace
}  // namespace kelto::script
