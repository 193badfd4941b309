#pragma once

#include "support/CTempDir.h"

#include <cstdio>
#include <string>
#include <sys/wait.h>

struct CliResult {
    int Status = -1; // the exit status; -1 when the tool did not exit
    std::string Out;
    std::string Err;
};

// Runs the built command-line tool in the working directory with arguments, its log going to
// cli-log.txt there, and captures what it printed on both outputs.
inline CliResult RunCli(const std::string& arguments) {
    const std::string command =
        QUARN_BINARY_DIR "/quarncode-cli --log cli-log.txt " + arguments + " 2>cli-stderr.txt";
    CliResult result;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
            result.Out.append(buffer, got);
        const int status = pclose(pipe);
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    result.Err = ReadWholeFile("cli-stderr.txt");
    return result;
}
