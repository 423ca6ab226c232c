#include "app/DataFiles.h"

#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tf {
namespace {

void Touch(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

TEST(DataFilesTest, PicturesComeFromTheWorkingDirectoryWhenItHasThem) {
    test::TempDir work;
    test::TempDir installed;
    Touch(installed.path() / "main.bmp");
    EXPECT_EQ(DataDirectory(work.path(), installed.path()), installed.path());
    Touch(work.path() / "main.bmp");
    EXPECT_EQ(DataDirectory(work.path(), installed.path()), work.path());
}

TEST(DataFilesTest, WithoutAnInstalledCopyTheWorkingDirectoryIsUsedAnyway) {
    test::TempDir work;
    test::TempDir installed;
    EXPECT_EQ(DataDirectory(work.path(), installed.path()), work.path());
    EXPECT_EQ(DataDirectory(work.path(), {}), work.path());
}

TEST(DataFilesTest, HelpPageFallsBackToTheInstalledOneOnly) {
    test::TempDir start;
    test::TempDir installed;
    EXPECT_EQ(HelpPagePath(start.path(), installed.path()), start.path() / "help" / "help.html");
    Touch(installed.path() / "help" / "help.html");
    EXPECT_EQ(HelpPagePath(start.path(), installed.path()), installed.path() / "help" / "help.html");
    Touch(start.path() / "help" / "help.html");
    EXPECT_EQ(HelpPagePath(start.path(), installed.path()), start.path() / "help" / "help.html");
}

} // namespace
} // namespace tf
