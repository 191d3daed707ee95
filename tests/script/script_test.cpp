// Tests of script recording and playback, driven through the headless display
// and the event wait: the exact bytes written, the events played back, the
// console lines, and recording and playback kept apart.

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/script_fixture.h"

namespace kelto::test {
namespace {

const std::string kExample =
    "KELTO_MOUSE(-120, 45);\nKELTO_PERIODIC(3);\nKELTO_KBD(97);\nKELTO_PERIODIC(2);\n";
const std::string kEofLine = "EOF encountered in script file KELTO.SCR\n";
const std::string kCannotWrite = "Cannot open script file KELTO.SCR for writing\n";

using ScriptRecording = ScriptTest;
using ScriptPlayback = ScriptTest;
using ScriptDirections = ScriptTest;

TEST_F(ScriptRecording, ClickTicksKeyTicksGiveFourLinesThatPlayBackAsSevenEvents) {
    command(CMD_RECORD);
    click(-120, 45);
    EXPECT_EQ(await().kind, KELTO_MOUSE);
    EXPECT_TRUE(checked(CMD_RECORD));
    ticks(3);
    type('a');
    EXPECT_EQ(await().kind, KELTO_KBD);
    ticks(2);
    command_then_key(CMD_RECORD);
    EXPECT_FALSE(checked(CMD_RECORD));
    EXPECT_EQ(script(), kExample);

    command(CMD_PLAYBACK);
    const Event mouse = await();
    EXPECT_TRUE(checked(CMD_PLAYBACK));
    EXPECT_EQ(mouse.kind, KELTO_MOUSE);
    EXPECT_EQ(mouse.x, -120);
    EXPECT_EQ(mouse.y, 45);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(await().kind, KELTO_PERIODIC);
    const Event key = await();
    EXPECT_EQ(key.kind, KELTO_KBD);
    EXPECT_EQ(key.key, 'a');
    for (int i = 0; i < 2; ++i) EXPECT_EQ(await().kind, KELTO_PERIODIC);
    EXPECT_EQ(console_count(kEofLine), 0);

    // The next request meets the end and goes on with live input.
    type('q');
    const Event live = await();
    EXPECT_EQ(live.kind, KELTO_KBD);
    EXPECT_EQ(live.key, 'q');
    EXPECT_EQ(console_count(kEofLine), 1);
    EXPECT_FALSE(checked(CMD_PLAYBACK));
    EXPECT_FALSE(script::state().playing);
}

TEST_F(ScriptRecording, QuitAfterTicksWritesThePendingRunAndNoQuitLine) {
    command(CMD_RECORD);
    click(0, 0);
    EXPECT_EQ(await().kind, KELTO_MOUSE);
    ticks(4);
    EXPECT_EQ(script(), "KELTO_MOUSE(0, 0);\n");
    command(CMD_QUIT);
    EXPECT_EQ(await().kind, KELTO_QUIT);
    EXPECT_EQ(script(), "KELTO_MOUSE(0, 0);\nKELTO_PERIODIC(4);\n");
}

TEST_F(ScriptRecording, OnOffOnEmptiesTheFileAtTheSecondRecordingsFirstLine) {
    command(CMD_RECORD);
    click(1, 1);
    EXPECT_EQ(await().kind, KELTO_MOUSE);
    command_then_key(CMD_RECORD);
    EXPECT_EQ(script(), "KELTO_MOUSE(1, 1);\n");

    // Switching on opens nothing; a periodic event only counts.
    command(CMD_RECORD);
    KELTO_run_control(RUN_ONE_FRAME);
    EXPECT_EQ(await().kind, KELTO_PERIODIC);
    EXPECT_EQ(script(), "KELTO_MOUSE(1, 1);\n");
    click(2, 2);
    EXPECT_EQ(await().kind, KELTO_MOUSE);
    EXPECT_EQ(script(), "KELTO_PERIODIC(1);\nKELTO_MOUSE(2, 2);\n");
}

TEST_F(ScriptRecording, OnAndOffWithNoEventNeverOpensTheFile) {
    command(CMD_RECORD);
    command_then_key(CMD_RECORD);
    EXPECT_FALSE(std::filesystem::exists(kScriptFile));
}

TEST_F(ScriptRecording, KeyAbove127IsWrittenSignedAndReadBackAsTheSameCharacter) {
    command(CMD_RECORD);
    type(233);
    EXPECT_EQ(await().kind, KELTO_KBD);
    command_then_key(CMD_RECORD);
    EXPECT_EQ(script(), "KELTO_KBD(-23);\n");

    command(CMD_PLAYBACK);
    const Event key = await();
    EXPECT_EQ(key.kind, KELTO_KBD);
    EXPECT_EQ(static_cast<unsigned char>(key.key), 233);
}

TEST_F(ScriptRecording, NegativeCoordinatesRoundTrip) {
    command(CMD_RECORD);
    click(-297, -235);
    EXPECT_EQ(await().kind, KELTO_MOUSE);
    command_then_key(CMD_RECORD);
    EXPECT_EQ(script(), "KELTO_MOUSE(-297, -235);\n");

    write_script("KELTO_MOUSE(-300, -270);\n");
    command(CMD_PLAYBACK);
    const Event mouse = await();
    EXPECT_EQ(mouse.kind, KELTO_MOUSE);
    EXPECT_EQ(mouse.x, -300);
    EXPECT_EQ(mouse.y, -270);
}

TEST_F(ScriptRecording, UncreatableFileIsReportedOncePerAttemptAndRecordingStaysOn) {
    ASSERT_TRUE(std::filesystem::create_directory(kScriptFile));
    command(CMD_RECORD);
    click(5, 5);
    EXPECT_EQ(await().kind, KELTO_MOUSE);
    EXPECT_EQ(console_count(kCannotWrite), 1);
    EXPECT_TRUE(checked(CMD_RECORD));
    EXPECT_TRUE(script::state().recording);

    // A run of ticks writes nothing until the next click: then two attempts.
    ticks(2);
    EXPECT_EQ(console_count(kCannotWrite), 1);
    click(6, 6);
    EXPECT_EQ(await().kind, KELTO_MOUSE);
    EXPECT_EQ(console_count(kCannotWrite), 3);
}

TEST_F(ScriptPlayback, BlankLinesAreSkippedWithEitherLineEnd) {
    for (const std::string end : {"\n", "\r\n"}) {
        write_script(end + "KELTO_KBD(98);" + end + end + end + "KELTO_MOUSE(1, 2);" + end + end);
        command(CMD_PLAYBACK);
        const Event key = await();
        EXPECT_EQ(key.kind, KELTO_KBD);
        EXPECT_EQ(key.key, 'b');
        const Event mouse = await();
        EXPECT_EQ(mouse.kind, KELTO_MOUSE);
        EXPECT_EQ(mouse.x, 1);
        EXPECT_EQ(mouse.y, 2);
        type('q');
        EXPECT_EQ(await().key, 'q');
        EXPECT_FALSE(checked(CMD_PLAYBACK));
    }
    EXPECT_EQ(console_count(kEofLine), 2);
}

TEST_F(ScriptPlayback, UnknownKindStopsSilentlyAndTheNextPlaybackGoesOnAfterIt) {
    write_script("KELTO_KBD(49);\nKELTO_XYZ(5);\nKELTO_KBD(50);\n");
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().key, '1');
    type('q');
    EXPECT_EQ(await().key, 'q');
    EXPECT_FALSE(checked(CMD_PLAYBACK));
    EXPECT_FALSE(script::state().playing);
    EXPECT_NE(script::state().file, nullptr);
    EXPECT_TRUE(console::console_lines().empty());

    command(CMD_PLAYBACK);
    EXPECT_EQ(await().key, '2');
}

TEST_F(ScriptPlayback, PeriodicCountsOneAndZeroEachGiveOneEvent) {
    write_script("KELTO_PERIODIC(1);\nKELTO_PERIODIC(0);\nKELTO_KBD(55);\n");
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().kind, KELTO_PERIODIC);
    EXPECT_EQ(await().kind, KELTO_PERIODIC);
    EXPECT_EQ(await().key, '7');
}

TEST_F(ScriptPlayback, PlayOneDeliversOnePeriodicEventPerCommand) {
    write_script("KELTO_PERIODIC(3);\nKELTO_KBD(120);\n");
    command(CMD_PLAY_ONE);
    EXPECT_EQ(await().kind, KELTO_PERIODIC);
    // Without a command the wait takes live input only.
    type('q');
    EXPECT_EQ(await().key, 'q');
    command(CMD_PLAY_ONE);
    EXPECT_EQ(await().kind, KELTO_PERIODIC);
    command(CMD_PLAY_ONE);
    EXPECT_EQ(await().kind, KELTO_PERIODIC);
    command(CMD_PLAY_ONE);
    EXPECT_EQ(await().key, 'x');
}

TEST_F(ScriptPlayback, EndOfScriptClosesItSoPlaybackStartsAgainAtTheFirstLine) {
    write_script("KELTO_KBD(49);\n");
    for (int round = 1; round <= 2; ++round) {
        command(CMD_PLAYBACK);
        EXPECT_EQ(await().key, '1');
        type('q');
        EXPECT_EQ(await().key, 'q');
        EXPECT_EQ(script::state().file, nullptr);
        EXPECT_EQ(console_count(kEofLine), round);
    }
    // A recording after the end writes a fresh file.
    command(CMD_RECORD);
    click(3, 4);
    EXPECT_EQ(await().kind, KELTO_MOUSE);
    EXPECT_EQ(script(), "KELTO_MOUSE(3, 4);\n");
}

TEST_F(ScriptPlayback, StoppingDropsOwedPeriodicEventsAndRestartsAtTheFirstLine) {
    write_script("KELTO_PERIODIC(3);\nKELTO_KBD(49);\n");
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().kind, KELTO_PERIODIC);
    command_then_key(CMD_PLAYBACK);
    EXPECT_FALSE(checked(CMD_PLAYBACK));

    command(CMD_PLAYBACK);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(await().kind, KELTO_PERIODIC);
    EXPECT_EQ(await().key, '1');
}

TEST_F(ScriptPlayback, MissingFileIsReportedAndLiveInputGoesOn) {
    command(CMD_PLAYBACK);
    type('q');
    EXPECT_EQ(await().key, 'q');
    EXPECT_EQ(console_count("Cannot open script file KELTO.SCR for reading\n"), 1);
    EXPECT_FALSE(checked(CMD_PLAYBACK));
    EXPECT_FALSE(script::state().playing);
}

TEST_F(ScriptPlayback, UnreadableFileIsReported) {
    ASSERT_TRUE(std::filesystem::create_directory(kScriptFile));
    command(CMD_PLAYBACK);
    type('q');
    EXPECT_EQ(await().key, 'q');
#ifdef _WIN32
    // Windows refuses to open a directory as a file at all.
    EXPECT_EQ(console_count("Cannot open script file KELTO.SCR for reading\n"), 1);
#else
    EXPECT_EQ(console_count("Cannot read script file KELTO.SCR\n"), 1);
#endif
    EXPECT_EQ(console_count(kEofLine), 0);
    EXPECT_FALSE(checked(CMD_PLAYBACK));
}

TEST_F(ScriptPlayback, CompleteLastLineWithoutNewlineIsPlayed) {
    write_script("KELTO_KBD(49);\nKELTO_MOUSE(-3, 4);");
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().key, '1');
    const Event mouse = await();
    EXPECT_EQ(mouse.kind, KELTO_MOUSE);
    EXPECT_EQ(mouse.x, -3);
    EXPECT_EQ(mouse.y, 4);
    type('q');
    EXPECT_EQ(await().key, 'q');
    EXPECT_EQ(console_count(kEofLine), 1);

    write_script("KELTO_PERIODIC(2);");
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().kind, KELTO_PERIODIC);
    EXPECT_EQ(await().kind, KELTO_PERIODIC);
    type('q');
    EXPECT_EQ(await().key, 'q');
    EXPECT_EQ(console_count(kEofLine), 2);
}

TEST_F(ScriptPlayback, LastLineCutShortIsReportedAndNotPlayed) {
    const std::string incomplete = "Incomplete last line in script file KELTO.SCR\n";
    const std::string cut_lines[] = {
        "KELTO_MOUSE(1",
        "KELTO_MOUSE(1, 2)",
        "KELTO_MOUSE(1, 2);\r",
        "KELTO_PERIODIC(3",
        "KELTO_PERIODIC(-3);",
        "KELTO_KBD(",
        "KELTO_KBD(9999999999);",
        std::string("KELTO_KBD(50);\0x", 16),
        "KELTO_X(1);",
    };
    int reported = 0;
    for (const std::string &cut : cut_lines) {
        SCOPED_TRACE(cut);
        write_script("KELTO_KBD(49);\n" + cut);
        command(CMD_PLAYBACK);
        EXPECT_EQ(await().key, '1');
        type('q');
        EXPECT_EQ(await().key, 'q');
        EXPECT_EQ(console_count(incomplete), ++reported);
        EXPECT_FALSE(checked(CMD_PLAYBACK));
        EXPECT_EQ(script::state().file, nullptr);
    }
    EXPECT_EQ(console_count(kEofLine), 0);
}

TEST_F(ScriptPlayback, MissingAndOversizedNumbersReadSafely) {
    write_script(
        "KELTO_MOUSE(5);\nKELTO_KBD();\nKELTO_PERIODIC();\nKELTO_KBD(49);\n"
        "KELTO_MOUSE(99999999999, -99999999999);\nKELTO_M\nKELTO_MOUSE(1-2, --3);\n");
    command(CMD_PLAYBACK);
    const Event one_number = await();
    EXPECT_EQ(one_number.kind, KELTO_MOUSE);
    EXPECT_EQ(one_number.x, 5);
    EXPECT_EQ(one_number.y, 0);
    const Event no_key = await();
    EXPECT_EQ(no_key.kind, KELTO_KBD);
    EXPECT_EQ(no_key.key, 0);
    EXPECT_EQ(await().kind, KELTO_PERIODIC);
    EXPECT_EQ(await().key, '1');
    const Event clamped = await();
    EXPECT_EQ(clamped.x, INT_MAX);
    EXPECT_EQ(clamped.y, INT_MIN);
    const Event bare = await();
    EXPECT_EQ(bare.kind, KELTO_MOUSE);
    EXPECT_EQ(bare.x, 0);
    EXPECT_EQ(bare.y, 0);
    const Event signs = await();
    EXPECT_EQ(signs.x, 1);
    EXPECT_EQ(signs.y, 0);
}

TEST_F(ScriptDirections, RecordingIsRefusedWhilePlaying) {
    write_script("KELTO_KBD(49);\nKELTO_KBD(50);\n");
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().key, '1');
    command(CMD_RECORD);
    EXPECT_EQ(await().key, '2');
    EXPECT_FALSE(script::state().recording);
    EXPECT_FALSE(checked(CMD_RECORD));
    EXPECT_EQ(console_count("Cannot record script KELTO.SCR while it is being played back\n"), 1);
    EXPECT_EQ(script(), "KELTO_KBD(49);\nKELTO_KBD(50);\n");
}

TEST_F(ScriptDirections, PlaybackAndPlayOneAreRefusedWhileRecording) {
    const std::string refused = "Cannot play back script KELTO.SCR while it is being recorded\n";
    command(CMD_RECORD);
    command(CMD_PLAYBACK);
    click(1, 1);
    EXPECT_EQ(await().kind, KELTO_MOUSE);
    EXPECT_FALSE(script::state().playing);
    EXPECT_FALSE(checked(CMD_PLAYBACK));
    EXPECT_TRUE(checked(CMD_RECORD));
    command(CMD_PLAY_ONE);
    click(2, 2);
    EXPECT_EQ(await().kind, KELTO_MOUSE);
    EXPECT_FALSE(script::state().play_one);
    EXPECT_EQ(console_count(refused), 2);
    EXPECT_EQ(script(), "KELTO_MOUSE(1, 1);\nKELTO_MOUSE(2, 2);\n");
}

TEST_F(ScriptDirections, RecordingAfterPlayOneWritesAFreshFileWithoutPlayedTicks) {
    write_script("KELTO_PERIODIC(5);\nKELTO_KBD(49);\n");
    command(CMD_PLAY_ONE);
    EXPECT_EQ(await().kind, KELTO_PERIODIC);
    command(CMD_RECORD);
    click(7, 8);
    EXPECT_EQ(await().kind, KELTO_MOUSE);
    EXPECT_EQ(script(), "KELTO_MOUSE(7, 8);\n");
}

// The module on its own, as the event wait and the "&Run" menu use it: it
// switches itself on and off and tells its hooks, with no library open.
std::vector<std::string> g_reported;
int g_playback_stops = 0;
int g_recording_stops = 0;

TEST(ScriptSwitches, TheModuleStartsAndEndsScriptsThroughItsOwnCalls) {
    script::set_hooks({[](const char *line) { g_reported.emplace_back(line); },
                       [] { ++g_playback_stops; }, [] { ++g_recording_stops; }});
    script::Event event;
    EXPECT_FALSE(script::play(event)) << "nothing is due";
    EXPECT_EQ(event.kind, script::EventKind::None);

    ASSERT_TRUE(script::start_recording());
    EXPECT_TRUE(script::recording());
    script::Event tick;
    tick.kind = script::EventKind::Periodic;
    script::record(tick);
    script::record(tick);
    EXPECT_FALSE(script::start_playback());
    EXPECT_FALSE(script::play_one());
    EXPECT_FALSE(script::event_due());
    script::end_recording();
    EXPECT_FALSE(script::recording());
    EXPECT_EQ(g_recording_stops, 1);
    script::record(tick);  // not recording: nothing is written

    std::ifstream in("KELTO.SCR");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "KELTO_PERIODIC(2);\n");

    ASSERT_TRUE(script::play_one());
    EXPECT_TRUE(script::event_due());
    EXPECT_FALSE(script::playing());
    EXPECT_FALSE(script::start_recording()) << "a scripted event is due";
    ASSERT_TRUE(script::play(event));
    EXPECT_EQ(event.kind, script::EventKind::Periodic);
    EXPECT_FALSE(script::event_due()) << "one event was asked for";

    ASSERT_TRUE(script::start_playback());
    ASSERT_TRUE(script::play(event));
    EXPECT_EQ(event.kind, script::EventKind::Periodic) << "the second of the run";
    script::end_playback();
    EXPECT_FALSE(script::event_due());
    EXPECT_EQ(g_playback_stops, 1);
    EXPECT_EQ(script::state().file, nullptr);
    EXPECT_EQ(g_reported, (std::vector<std::string>{
                              "Cannot play back script KELTO.SCR while it is being recorded\n",
                              "Cannot play back script KELTO.SCR while it is being recorded\n",
                              "Cannot record script KELTO.SCR while it is being played back\n"}));
}

}  // namespace
}  // namespace kelto::test
