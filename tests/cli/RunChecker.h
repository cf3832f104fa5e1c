#pragma once
// Runs kelmora-check through the shell, with its standard output and error kept apart.

#include "tests/core/TestFiles.h"

#include <cstdio>
#include <string>

#include <sys/wait.h>

namespace kelmora::test {

struct CheckerRun {
    int exitCode;
    std::string out;
    std::string err;
};

// A shell command run in `dir`.
inline CheckerRun RunCommand(const TempDir& dir, const std::string& shellCommand)
{
    const std::string errFile = dir.File(".stderr");
    const std::string command = "cd '" + dir.Path().string() + "' && " + shellCommand + " 2>'" + errFile + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ReadBytes(errFile)};
}

// `arguments` and `redirections` are shell text; the command runs in `dir`.
inline CheckerRun RunChecker(const TempDir& dir, const std::string& arguments, const std::string& redirections = "")
{
    return RunCommand(dir, std::string(KELMORA_CHECK) + " " + arguments + " " + redirections);
}

} // namespace kelmora::test
