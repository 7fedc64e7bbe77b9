#pragma once

#include "support/ScratchFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
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

// Runs vantrel-batch with the arguments, capturing both output streams.
inline BatchResult RunBatch(const std::vector<std::string>& arguments)
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

    BatchResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
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
