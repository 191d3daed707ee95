// Fuzz target for the script reader: any bytes as "KELTO.SCR", played event
// by event as far as playback would go, including past unknown lines. Nothing
// may crash, hang, leak or read out of bounds.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "script/script.h"

namespace {

// Periodic events still owed by one line are capped, so that a count near the
// int limit does not keep one input busy for minutes.
constexpr int kMaxOwed = 64;

// The temporary current directory of the whole run, removed at exit.
class FuzzDirectory {
public:
    FuzzDirectory() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelto-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir_ = pattern;
        std::filesystem::current_path(dir_);
    }
    ~FuzzDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    FuzzDirectory(const FuzzDirectory &) = delete;
    FuzzDirectory &operator=(const FuzzDirectory &) = delete;

private:
    std::filesystem::path dir_;
};

void write_script(const uint8_t *data, size_t size) {
    std::FILE *file = std::fopen(kelto::script::kScriptFileName, "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // Created before the library's state, so removed after it has closed the file.
    static FuzzDirectory directory;
    // The reader runs on its own: with no hooks installed its console lines
    // go nowhere, and no window is involved.
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    write_script(data, size);
    kelto::script::ScriptState &script = kelto::script::state();
    kelto::script::Event event;
    // An unknown line stops playback but leaves the stream open after it;
    // playback is started again until the end of the script closes it.
    do {
        kelto::script::start_playback();
        while (kelto::script::read(event))
            if (script.playback_count > kMaxOwed) script.playback_count = kMaxOwed;
    } while (script.file);
    return 0;
}
