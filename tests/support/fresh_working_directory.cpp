// Every test process runs in a fresh temporary directory, so the files the
// library writes (the script file) never meet another test's or land in the
// source or build tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace {

class FreshWorkingDirectory : public ::testing::Environment {
public:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        directory_ = make_unique_directory();
        ASSERT_FALSE(directory_.empty());
        std::filesystem::current_path(directory_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(directory_, ignored);
    }

private:
    // A new directory of a random name under the temporary directory (as
    // mkdtemp does, on every platform); empty if none could be made.
    static std::filesystem::path make_unique_directory() {
        std::random_device seed;
        std::mt19937_64 random(seed());
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = base / ("kelto-test-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) return candidate;
        }
        return {};
    }

    std::filesystem::path previous_;
    std::filesystem::path directory_;
};

const auto *const registered = ::testing::AddGlobalTestEnvironment(new FreshWorkingDirectory);

}  // namespace
