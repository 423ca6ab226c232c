#pragma once

#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace tf::test {

/// What one run of the built companion gave.
struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// Runs tonefalls-cli with `arguments`, its output caught in files (a pipe could fill up and
/// stall a long log). The companion always ends by itself; CTest's timeout guards the rest.
inline CliResult RunCli(const std::vector<std::string>& arguments) {
    TempDir dir;
    const std::string outPath = (dir.path() / "out").string();
    const std::string errPath = (dir.path() / "err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> words{TF_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    CliResult result;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
            result.exitCode = WEXITSTATUS(status);
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    return result;
}

} // namespace tf::test
