#include "app/settings/DataFiles.h"

#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tf {
namespace {

void Touch(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

void TouchPictures(const std::filesystem::path& folder) {
    for (const char* name : {"main.bmp", "title.bmp", "result.bmp"}) {
        Touch(folder / name);
    }
}

// A prefix laid out as an install leaves it, a build tree as the build leaves it, and a
// working directory elsewhere: each is found from the program's own folder.
TEST(DataFilesTest, TheProgramsFolderThenTheBuildTreeThenThePrefixThenTheWorkingDirectory) {
    test::TempDir root;
    const auto bin = root.path() / "prefix" / "bin";
    const auto work = root.path() / "work";
    const std::vector<std::filesystem::path> candidates = DataCandidates(bin, work);
    ASSERT_EQ(candidates.size(), 4u);
    EXPECT_EQ(candidates[0], bin);
    EXPECT_EQ(candidates[1], root.path() / "prefix" / "data");
    EXPECT_EQ(candidates[2], root.path() / "prefix" / "share" / "tonefalls");
    EXPECT_EQ(candidates[3], work);

    EXPECT_EQ(FindDataDirectory(candidates), std::filesystem::path());
    TouchPictures(work);
    EXPECT_EQ(FindDataDirectory(candidates), work);
    TouchPictures(root.path() / "prefix" / "share" / "tonefalls");
    EXPECT_EQ(FindDataDirectory(candidates), candidates[2]);
    TouchPictures(root.path() / "prefix" / "data");
    EXPECT_EQ(FindDataDirectory(candidates), candidates[1]);
    // A folder with only some of the pictures is passed over.
    Touch(bin / "title.bmp");
    EXPECT_EQ(FindDataDirectory(candidates), candidates[1]);
    TouchPictures(bin);
    EXPECT_EQ(FindDataDirectory(candidates), bin);
}

TEST(DataFilesTest, EachFolderComesOnceAndAnUnknownProgramFolderLeavesTheWorkingDirectory) {
    test::TempDir root;
    EXPECT_EQ(DataCandidates({}, root.path()), std::vector<std::filesystem::path>{root.path()});
    // Started from its own folder, with a trailing separator and a "..": one folder each.
    const auto bin = root.path() / "bin";
    const std::vector<std::filesystem::path> candidates = DataCandidates(bin / "", bin / ".." / "bin");
    ASSERT_EQ(candidates.size(), 3u);
    EXPECT_EQ(candidates[0], bin);
}

TEST(DataFilesTest, HelpPageIsSearchedLikeThePicturesAndNamedWhereItWouldBeWhenMissing) {
    test::TempDir root;
    const auto bin = root.path() / "bin";
    const auto work = root.path() / "work";
    const auto candidates = DataCandidates(bin, work);
    EXPECT_EQ(FindHelpPage(candidates), bin / "help" / "help.html");
    Touch(work / "help" / "help.html");
    EXPECT_EQ(FindHelpPage(candidates), work / "help" / "help.html");
    Touch(root.path() / "share" / "tonefalls" / "help" / "help.html");
    EXPECT_EQ(FindHelpPage(candidates), root.path() / "share" / "tonefalls" / "help" / "help.html");
}

TEST(DataFilesTest, TheMissingPicturesLineNamesEveryFolderLookedIn) {
    const std::vector<std::filesystem::path> candidates{"/opt/tf/bin", "/home/me"};
    EXPECT_EQ(MissingPicturesText(candidates),
              "tonefalls: no folder holds the pictures (main.bmp, title.bmp, result.bmp); looked in "
              "/opt/tf/bin, /home/me. The screens are drawn without them.\n");
}

} // namespace
} // namespace tf
