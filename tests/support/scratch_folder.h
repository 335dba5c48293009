// A folder of one test's own under the temporary folder: made empty when the
// test's fixture is made, removed with everything in it when the fixture goes.
// Its name carries the test's name and the process, so tests never share one.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define SOLVANE_PROCESS_ID _getpid()
#else
#include <unistd.h>
#define SOLVANE_PROCESS_ID getpid()
#endif

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (prefix + (test ? test->name() : "shared") + "-" + std::to_string(SOLVANE_PROCESS_ID));
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string PathOf(const std::string& name) const { return (path_ / name).string(); }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

private:
    std::filesystem::path path_;
};

#undef SOLVANE_PROCESS_ID
