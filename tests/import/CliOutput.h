#pragma once

#include <cstdio>
#include <string>

// What the command-line tool prints on standard output for the arguments (its log goes to
// cli-log.txt in the working directory), followed by its exit status.
inline std::string CliOutput(const std::string& arguments) {
    std::string command = QUARN_BINARY_DIR "/quarncode-cli --log cli-log.txt " + arguments;
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, got);
        output += "status " + std::to_string(pclose(pipe));
    }
    return output;
}
