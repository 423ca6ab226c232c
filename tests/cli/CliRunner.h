#pragma once

#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tf::test {

/// What one run of the built companion gave.
struct CliResult {
    /// -1 when the program did not exit by itself (a signal, or killed at the time limit).
    int exitCode = -1;
    /// The signal that ended the program, 0 when it exited.
    int signal = 0;
    bool timedOut = false;
    /// The program's peak resident memory, in KiB.
    long maxRssKb = 0;
    std::string out;
    std::string err;
};

inline std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// Runs `program` with `arguments` in `environment`, its output caught in files (a pipe could
/// fill up and stall a long log). A run still going after `limit` is killed and reported as timed
/// out, so a hang fails the one case instead of the whole suite.
inline CliResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                            std::chrono::milliseconds limit, char** environment) {
    TempDir dir;
    const std::string outPath = (dir.path() / "out").string();
    const std::string errPath = (dir.path() / "err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    CliResult result;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environment) == 0) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        int status = 0;
        rusage usage{};
        pid_t ended = 0;
        while ((ended = wait4(pid, &status, WNOHANG, &usage)) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                result.timedOut = true;
                kill(pid, SIGKILL);
                ended = wait4(pid, &status, 0, &usage);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (ended == pid) {
            result.maxRssKb = usage.ru_maxrss;
            if (WIFEXITED(status)) {
                result.exitCode = WEXITSTATUS(status);
            } else if (WIFSIGNALED(status)) {
                result.signal = WTERMSIG(status);
            }
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    return result;
}

/// The companion the runs start: this build's, or the program $TF_CLI_PROGRAM names (the Windows
/// checks name one that starts the Windows build's companion under Wine, so the same expected
/// outputs are checked there).
inline std::string CliProgram() {
    const char* other = std::getenv("TF_CLI_PROGRAM");
    return other != nullptr && *other != '\0' ? std::string(other) : std::string(TF_CLI_PATH);
}

/// Runs tonefalls-cli with `arguments` in this process's environment.
inline CliResult RunCli(const std::vector<std::string>& arguments,
                        std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    return RunProgram(CliProgram(), arguments, limit, environ);
}

} // namespace tf::test
