#pragma once

#include "support/ScratchFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace vantrel::testing {

struct BatchResult {
    int ExitStatus = -1;
    std::string Out;
    std::string Err;
};

// This process's environment, without the variables named in `unset` and
// with the "NAME=value" entries of `set` added.
inline std::vector<std::string> EnvironmentWith(const std::vector<std::string>& unset,
                                                const std::vector<std::string>& set = {})
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        bool dropped = false;
        for (const std::string& name : unset)
            dropped = dropped || text.starts_with(name + "=");
        if (!dropped)
            entries.push_back(text);
    }
    entries.insert(entries.end(), set.begin(), set.end());
    return entries;
}

// Runs vantrel-batch with the arguments, capturing both output streams; in
// `environment` ("NAME=value" entries) when given, else in this process's.
inline BatchResult RunBatch(const std::vector<std::string>& arguments,
                            std::optional<std::vector<std::string>> environment = std::nullopt)
{
    ScratchDir dir;
    const std::string outFile = dir.File("out");
    const std::string errFile = dir.File("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> words{VANTREL_BATCH_BINARY};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    std::vector<char*> envp;
    if (environment) {
        for (std::string& entry : *environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
    }

    BatchResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environment ? envp.data() : environ) ==
        0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.Out = ReadBytes(outFile);
    result.Err = ReadBytes(errFile);
    return result;
}

// A scratch folder for the input and output files of vantrel-batch runs.
class BatchFixture : public ::testing::Test {
protected:
    // A new data file holding `bytes`; every call gets a file of its own.
    std::string DataFile(const std::string& bytes)
    {
        return dir_.Write("data" + std::to_string(++files_) + ".dat", bytes);
    }

    ScratchDir dir_;

private:
    int files_ = 0;
};

} // namespace vantrel::testing
