// Tests of the script file on Windows: what a name stands for is judged on
// the opened handle, so a device or a pipe held open by its other end is
// refused at once for reading and for writing, while a disk file is read
// and written as a text file.
#include <gtest/gtest.h>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "script/script_file.h"

namespace kelto::script {
namespace {

std::string bytes_of(const char *name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void put_bytes(const char *name, const std::string &bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

// Reads what is left of a stream opened for reading, and closes it.
std::string read_to_end(const OpenedFile &opened) {
    std::string text;
    for (int c = std::getc(opened.file); c != EOF; c = std::getc(opened.file))
        text.push_back(static_cast<char>(c));
    std::fclose(opened.file);
    return text;
}

// The server end of a named pipe, listening with two instances and never
// writing: a program that read from its client end would wait for ever.
class HeldPipe {
public:
    HeldPipe() : name_(R"(\\.\pipe\kelto-script-)" + std::to_string(GetCurrentProcessId())) {
        for (HANDLE &end : ends_)
            end = CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 2, 4096, 4096,
                                   0, nullptr);
    }
    ~HeldPipe() {
        for (HANDLE end : ends_)
            if (end != INVALID_HANDLE_VALUE) CloseHandle(end);
    }
    HeldPipe(const HeldPipe &) = delete;
    HeldPipe &operator=(const HeldPipe &) = delete;

    bool listening() const {
        return ends_[0] != INVALID_HANDLE_VALUE && ends_[1] != INVALID_HANDLE_VALUE;
    }
    const char *name() const { return name_.c_str(); }

private:
    std::string name_;
    HANDLE ends_[2]{INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE};
};

TEST(Win32ScriptFile, DeviceIsNeitherReadNorWritten) {
    const OpenedFile read = open_for_reading("NUL");
    EXPECT_EQ(read.outcome, OpenOutcome::NotRegular);
    EXPECT_EQ(read.file, nullptr);
    const OpenedFile written = open_for_writing("NUL", WriteStart::Empty);
    EXPECT_EQ(written.outcome, OpenOutcome::NotRegular);
    EXPECT_EQ(written.file, nullptr);
}

TEST(Win32ScriptFile, PipeHeldOpenIsRefusedWithoutWaiting) {
    const HeldPipe pipe;
    ASSERT_TRUE(pipe.listening()) << GetLastError();
    EXPECT_EQ(open_for_reading(pipe.name()).outcome, OpenOutcome::NotRegular);
    EXPECT_EQ(open_for_writing(pipe.name(), WriteStart::AtEnd).outcome, OpenOutcome::NotRegular);
}

TEST(Win32ScriptFile, MissingFileOrDirectoryIsWorthTryingAgain) {
    EXPECT_EQ(open_for_reading("KELTO.SCR").outcome, OpenOutcome::Failed);
    std::filesystem::create_directory("folder");
    EXPECT_EQ(open_for_reading("folder").outcome, OpenOutcome::Failed);
    EXPECT_EQ(open_for_writing("folder", WriteStart::Empty).outcome, OpenOutcome::Failed);
}

TEST(Win32ScriptFile, DiskFileIsWrittenAndReadAsText) {
    put_bytes("KELTO.SCR", "old contents\r\n");
    OpenedFile opened = open_for_writing("KELTO.SCR", WriteStart::Empty);
    ASSERT_EQ(opened.outcome, OpenOutcome::Opened);
    EXPECT_TRUE(write_whole(opened.file, "KELTO_MOUSE(1, 2);\n"));
    std::fclose(opened.file);
    EXPECT_EQ(bytes_of("KELTO.SCR"), "KELTO_MOUSE(1, 2);\r\n");

    // A file that takes the place of a deleted one is added to.
    opened = open_for_writing("KELTO.SCR", WriteStart::AtEnd);
    ASSERT_EQ(opened.outcome, OpenOutcome::Opened);
    EXPECT_TRUE(write_whole(opened.file, "KELTO_KBD(97);\n"));
    std::fclose(opened.file);

    opened = open_for_reading("KELTO.SCR");
    ASSERT_EQ(opened.outcome, OpenOutcome::Opened);
    EXPECT_EQ(read_to_end(opened), "KELTO_MOUSE(1, 2);\nKELTO_KBD(97);\n");
}

TEST(Win32ScriptFile, NewFileIsCreatedForWriting) {
    const OpenedFile opened = open_for_writing("KELTO.SCR", WriteStart::Empty);
    ASSERT_EQ(opened.outcome, OpenOutcome::Opened);
    std::fclose(opened.file);
    EXPECT_TRUE(std::filesystem::is_regular_file("KELTO.SCR"));
    EXPECT_EQ(bytes_of("KELTO.SCR"), "");
}

}  // namespace
}  // namespace kelto::script
