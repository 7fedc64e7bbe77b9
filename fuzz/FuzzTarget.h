#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace vantrel::fuzz {

// A violated property is a finding: print it and abort, so that libFuzzer
// saves the input that caused it.
inline void Require(const std::string& failure)
{
    if (failure.empty())
        return;
    std::fprintf(stderr, "Property violated: %s\n", failure.c_str());
    std::abort();
}

// The file a round trip writes to, one per process (libFuzzer's -jobs and
// -fork run several).
inline const std::string& ScratchFile(const char* target)
{
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("vantrel-fuzz-" + std::string(target) + "-" + std::to_string(getpid())))
                                        .string();
    return path;
}

} // namespace vantrel::fuzz
