// Every test process runs in a fresh temporary directory, so the files the
// library writes (the script file) never meet another test's or land in the
// source or build tree.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class FreshWorkingDirectory : public ::testing::Environment {
public:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelto-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
        std::filesystem::current_path(directory_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(directory_, ignored);
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path directory_;
};

const auto *const registered = ::testing::AddGlobalTestEnvironment(new FreshWorkingDirectory);

}  // namespace
