// Output files that appear whole or not at all.
#include "replay/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace kelto::replay {

namespace {

std::string reason(int error) {
    return std::strerror(error);
}

// Ordinary permissions, as a file made with fopen would have.
void give_ordinary_permissions(int descriptor) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(descriptor, 0666 & ~mask);
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
    if (path_.empty()) {
        problem_ = "an output file needs a name";
        return;
    }
    temporary_ = path_ + ".partial-XXXXXX";
    std::vector<char> pattern(temporary_.begin(), temporary_.end());
    pattern.push_back('\0');
    descriptor_ = mkstemp(pattern.data());
    if (descriptor_ < 0) {
        problem_ = "cannot write " + path_ + ": " + reason(errno);
        temporary_.clear();
        return;
    }
    temporary_ = pattern.data();
}

OutputFile::~OutputFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

bool OutputFile::commit(std::string_view bytes) {
    if (!ok()) return false;
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            problem_ = "cannot write " + path_ + ": " + reason(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    give_ordinary_permissions(descriptor_);
    if (::close(descriptor_) != 0) {
        descriptor_ = -1;
        problem_ = "cannot write " + path_ + ": " + reason(errno);
        return false;
    }
    descriptor_ = -1;
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        problem_ = "cannot write " + path_ + ": " + reason(errno);
        return false;
    }
    temporary_.clear();
    return true;
}

void OutputFile::finish_in_signal_handler(bool written) {
    if (descriptor_ < 0) return;
    if (written) give_ordinary_permissions(descriptor_);
    ::close(descriptor_);
    descriptor_ = -1;
    if (written)
        std::rename(temporary_.c_str(), path_.c_str());
    else
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool prepare_directory(const std::string &path, std::string &problem) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path)) {
        problem = "cannot make the folder " + path + (error ? ": " + error.message() : "");
        return false;
    }
    if (::access(path.c_str(), W_OK) != 0) {
        problem = "cannot write into the folder " + path + ": " + reason(errno);
        return false;
    }
    return true;
}

}  // namespace kelto::replay
