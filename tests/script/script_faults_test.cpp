// Tests of the script file under faults: a write that fails part way (a file
// size limit stands in for a full disk), pipes, devices and sockets in the
// file's place, and the file deleted while it is being recorded.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "support/script_fixture.h"

namespace kelto::test {
namespace {

const std::string kCannotWriteTo = "Cannot write to script file KELTO.SCR\n";
const std::string kNotRecorded = "Cannot record script KELTO.SCR: it is not a regular file\n";
const std::string kNotPlayed = "Cannot play back script KELTO.SCR: it is not a regular file\n";
const std::string kDeleted =
    "Script file KELTO.SCR was deleted while recording; recording goes on in a new file\n";

// While it lives, the process cannot make a file larger than `bytes`: a write
// past that writes what fits and then fails, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previous_handler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0) << std::strerror(errno);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        signal(SIGXFSZ, previous_handler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit previous_{};
    sighandler_t previous_handler_ = SIG_DFL;
};

// Ends the test process if it still runs after a while: an opening that
// blocks fails its test instead of hanging it.
class Deadline {
public:
    Deadline() { alarm(20); }
    ~Deadline() { alarm(0); }
    Deadline(const Deadline &) = delete;
    Deadline &operator=(const Deadline &) = delete;
};

class ScriptFaults : public ScriptTest {
protected:
    void record_click(int x, int y) {
        click(x, y);
        EXPECT_EQ(await().kind, KELTO_MOUSE);
    }

    // Playback is switched on and, refused or ended, leaves live input working.
    void play_then_type() {
        command(CMD_PLAYBACK);
        type('q');
        EXPECT_EQ(await().key, 'q');
        EXPECT_FALSE(checked(CMD_PLAYBACK));
        EXPECT_FALSE(script::state().playing);
    }

    // Recording is switched on and refused at its first line; a second
    // click neither tries again nor reports again.
    void record_refused() {
        command(CMD_RECORD);
        record_click(1, 2);
        EXPECT_FALSE(script::state().recording);
        EXPECT_FALSE(checked(CMD_RECORD));
        record_click(3, 4);
        EXPECT_EQ(console_count(kNotRecorded), 1);
        EXPECT_EQ(console_count(kCannotWrite), 0);
        EXPECT_EQ(script::state().file, nullptr);
    }

    static constexpr const char *kCannotWrite = "Cannot open script file KELTO.SCR for writing\n";
};

TEST_F(ScriptFaults, FailedWriteLeavesNoPartOfALineAndPlaybackInventsNothing) {
    command(CMD_RECORD);
    record_click(1, 2);
    {
        // Room for the first two lines of 19 bytes and part of a third.
        FileSizeLimit limit(50);
        record_click(3, 4);
        record_click(5, 6);
        EXPECT_EQ(script(), "KELTO_MOUSE(1, 2);\nKELTO_MOUSE(3, 4);\n");
        EXPECT_EQ(console_count(kCannotWriteTo), 1);
        // A run of ticks that cannot be written is reported too.
        ticks(2);
        record_click(7, 8);
        EXPECT_EQ(console_count(kCannotWriteTo), 3);
    }
    EXPECT_TRUE(checked(CMD_RECORD));
    // With room again the recording goes on right after the last whole line.
    record_click(9, 10);
    command_then_key(CMD_RECORD);
    EXPECT_EQ(script(), "KELTO_MOUSE(1, 2);\nKELTO_MOUSE(3, 4);\nKELTO_MOUSE(9, 10);\n");

    command(CMD_PLAYBACK);
    for (int x : {1, 3, 9}) {
        const Event played = await();
        EXPECT_EQ(played.kind, KELTO_MOUSE);
        EXPECT_EQ(played.x, x);
    }
    type('q');
    EXPECT_EQ(await().key, 'q');
    EXPECT_EQ(console_count("EOF encountered in script file KELTO.SCR\n"), 1);
}

TEST_F(ScriptFaults, PipeIsNeitherPlayedNorRecordedAndNeverBlocks) {
    const Deadline deadline;
    ASSERT_EQ(mkfifo(kScriptFile, 0644), 0);
    play_then_type();
    EXPECT_EQ(console_count(kNotPlayed), 1);
    command(CMD_PLAY_ONE);
    type('r');
    EXPECT_EQ(await().key, 'r');
    EXPECT_EQ(console_count(kNotPlayed), 2);

    // Without a reader the pipe cannot even be opened for writing.
    record_refused();
}

TEST_F(ScriptFaults, PipeWithAReaderIsNotRecordedInto) {
    const Deadline deadline;
    ASSERT_EQ(mkfifo(kScriptFile, 0644), 0);
    const int reader = ::open(kScriptFile, O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    record_refused();
    char byte = 0;
    EXPECT_LE(read(reader, &byte, 1), 0);
    ::close(reader);
}

TEST_F(ScriptFaults, DeviceIsNeitherPlayedNorRecordedInto) {
    std::filesystem::create_symlink("/dev/null", kScriptFile);
    play_then_type();
    EXPECT_EQ(console_count(kNotPlayed), 1);
    record_refused();
}

TEST_F(ScriptFaults, SocketIsNeitherPlayedNorRecordedInto) {
    const int socket_fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socket_fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, kScriptFile);
    ASSERT_EQ(bind(socket_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    play_then_type();
    EXPECT_EQ(console_count(kNotPlayed), 1);
    record_refused();
    ::close(socket_fd);
}

TEST_F(ScriptFaults, RecordingGoesOnInANewFileWhenTheFileIsDeleted) {
    command(CMD_RECORD);
    record_click(1, 1);
    ASSERT_EQ(unlink(kScriptFile), 0);
    ticks(2);
    record_click(2, 2);
    record_click(3, 3);
    EXPECT_EQ(console_count(kDeleted), 1);
    EXPECT_EQ(script(), "KELTO_PERIODIC(2);\nKELTO_MOUSE(2, 2);\nKELTO_MOUSE(3, 3);\n");

    // Each deletion is noticed; a file put in the old one's place is added
    // to, never emptied.
    ASSERT_EQ(unlink(kScriptFile), 0);
    write_script("KELTO_KBD(49);\n");
    record_click(4, 4);
    command_then_key(CMD_RECORD);
    EXPECT_EQ(console_count(kDeleted), 2);
    EXPECT_EQ(script(), "KELTO_KBD(49);\nKELTO_MOUSE(4, 4);\n");
    EXPECT_EQ(console::console_lines().size(), 2u);
}

}  // namespace
}  // namespace kelto::test
