// Reading a file whole, and the reasons given when that is not possible.
#include "review/file_bytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

using namespace interlock::review;
namespace fs = std::filesystem;

TEST(FileBytes, ReadsAnyBytesAndNamesWhyAFileCannotBeRead) {
    const fs::path folder =
        fs::temp_directory_path() / ("file-bytes-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string bytes("a\r\n\0\xFF", 5);
    std::ofstream(folder / "log.csv", std::ios::binary) << bytes;
    std::string error;
    EXPECT_EQ(readFileBytes(folder / "log.csv", error), bytes);

    EXPECT_FALSE(readFileBytes(folder / "missing.csv", error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(readFileBytes(folder, error));
    EXPECT_EQ(error, "it is a folder, not a file");
    if (::geteuid() != 0) {
        fs::permissions(folder / "log.csv", fs::perms::none);
        EXPECT_FALSE(readFileBytes(folder / "log.csv", error));
        EXPECT_EQ(error, "Permission denied");
    }
    fs::remove_all(folder);
}
