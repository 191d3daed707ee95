// Tests of the script reader's number scan: the standard conversion's results
// for in-range runs, clamping beyond them, and scans bounded by their line.
#include "script/script_number.h"

#include <gtest/gtest.h>

#include <climits>

namespace kelto::script {
namespace {

TEST(ScriptNumberScan, ConvertsRunsAsTheStandardConversionWould) {
    EXPECT_EQ(scan_number("KELTO_MOUSE(-12, 7);", 6, true).value, -12);
    EXPECT_EQ(scan_number("KELTO_KBD(1-2);", 6, true).value, 1);
    EXPECT_EQ(scan_number("KELTO_KBD(--3);", 6, true).value, 0);
    EXPECT_EQ(scan_number("KELTO_KBD(-);", 6, true).value, 0);
    EXPECT_EQ(scan_number("x2147483647", 0, true).value, INT_MAX);
    EXPECT_EQ(scan_number("x-2147483648", 0, true).value, INT_MIN);
}

TEST(ScriptNumberScan, NextScanStartsAfterTheRun) {
    const std::string_view line = "KELTO_MOUSE(-300, -270);";
    const ScannedNumber x = scan_number(line, 6, true);
    EXPECT_EQ(x.end, 16u);
    EXPECT_EQ(scan_number(line, x.end, true).value, -270);
}

TEST(ScriptNumberScan, MinusIsSkippedWhereNotAllowed) {
    EXPECT_EQ(scan_number("KELTO_PERIODIC(-4);", 6, false).value, 4);
}

TEST(ScriptNumberScan, RunsBeyondTheIntRangeAreClamped) {
    EXPECT_EQ(scan_number("(2147483648)", 0, true).value, INT_MAX);
    EXPECT_EQ(scan_number("(-2147483649)", 0, true).value, INT_MIN);
    EXPECT_EQ(scan_number("(99999999999)", 0, false).value, INT_MAX);
    EXPECT_EQ(scan_number("(-99999999999999999999999999)", 0, true).value, INT_MIN);
    // A run longer than eleven characters is taken whole.
    const ScannedNumber zeros = scan_number("(000000000000005, 6)", 0, true);
    EXPECT_EQ(zeros.value, 5);
    EXPECT_EQ(scan_number("(000000000000005, 6)", zeros.end, true).value, 6);
}

TEST(ScriptNumberScan, StopsAtTheEndOfItsLine) {
    const ScannedNumber none = scan_number("KELTO_KBD();\r\n", 6, true);
    EXPECT_EQ(none.value, 0);
    EXPECT_EQ(none.end, 14u);
    // Digits beyond the line's end are never looked at.
    EXPECT_EQ(scan_number(std::string_view("KELTO_K(12", 8), 6, true).value, 0);
    EXPECT_EQ(scan_number("KELTO_K(12", 40, true).value, 0);
}

}  // namespace
}  // namespace kelto::script
