#include "tests/cli/CliRunner.h"
#include "tf_version.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace tf::test {
namespace {

// Both programs answer --version in a terminal with no display: the game before Qt starts, for
// Qt aborts a program whose window system cannot be reached.
TEST(VersionFlag, BothProgramsSayTheVersionWithoutADisplay) {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable = *entry;
        if (!variable.starts_with("DISPLAY=") && !variable.starts_with("WAYLAND_DISPLAY=") &&
            !variable.starts_with("QT_QPA_PLATFORM=")) {
            variables.emplace_back(variable);
        }
    }
    variables.emplace_back("QT_QPA_PLATFORM=xcb");
    std::vector<char*> environment;
    for (std::string& variable : variables) {
        environment.push_back(variable.data());
    }
    environment.push_back(nullptr);

    const CliResult cli =
        RunProgram(TF_CLI_PATH, {"--version"}, std::chrono::seconds(60), environment.data());
    EXPECT_EQ(cli.exitCode, 0);
    EXPECT_EQ(cli.out, "tonefalls-cli " + std::string(Version) + "\n");
    EXPECT_EQ(cli.err, "");
#ifdef TF_GAME_PATH
    const CliResult game =
        RunProgram(TF_GAME_PATH, {"--version"}, std::chrono::seconds(60), environment.data());
    EXPECT_EQ(game.exitCode, 0) << game.err;
    EXPECT_EQ(game.out, "tonefalls " + std::string(Version) + "\n");
#endif
}

} // namespace
} // namespace tf::test
