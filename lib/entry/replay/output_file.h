// An output file of the replay runner that appears whole or not at all: the
// bytes go to a temporary file beside it, which takes the file's name only
// when everything is written.
#pragma once

#include <string>
#include <string_view>

namespace kelto::replay {

class OutputFile {
public:
    // Makes the temporary file now, so that an output that cannot be written
    // is known before the program runs; check ok() and problem().
    explicit OutputFile(std::string path);
    ~OutputFile();  // removes the temporary file unless it was committed
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    bool ok() const { return problem_.empty(); }
    const std::string &problem() const { return problem_; }
    const std::string &path() const { return path_; }

    // Writes `bytes` and gives the file its name; false (with problem()) if not.
    bool commit(std::string_view bytes);

    // For a handler of a fatal signal, with async-signal-safe calls only: the
    // temporary file to write to, and then its end: named if `written`,
    // removed if not.
    int descriptor() const { return descriptor_; }
    void finish_in_signal_handler(bool written);

private:
    std::string path_;
    std::string temporary_;
    std::string problem_;
    int descriptor_ = -1;
};

// Whether `path` names a directory that files can be made in; creates it if
// it does not exist. Sets `problem` when not.
bool prepare_directory(const std::string &path, std::string &problem);

}  // namespace kelto::replay
