#pragma once

#include <functional>
#include <string>
#include <vector>

// What running a program gave.
struct CommandResult {
    int Status = -1;        // exit status; -1 when not started or it did not end normally
    std::string StartError; // why it could not be started; empty when it was started
    std::string Output;     // what it wrote on its standard output and standard error
};

// What runs the front end of a project: the program's name or path and its arguments (without
// the program itself). RunCommand runs a process; tests and fuzzing give stand-ins.
using CommandRunner = std::function<CommandResult(const std::string& program,
                                                  const std::vector<std::string>& arguments)>;

// Runs program, found along PATH when its name holds no "/", with the argument vector
// program, arguments... (no shell: every string arrives whole, with its blanks), and waits for
// it to end. The program inherits the standard input; what it writes on its standard output
// and standard error is captured, in the order written, and also copied to our standard error
// as it arrives. When the program cannot be started the reason is given, and written to our
// standard error as "Could not start <program>: <reason>".
CommandResult RunCommand(const std::string& program, const std::vector<std::string>& arguments);

// The path of program found along PATH as posix_spawnp would find it (a name with a "/" is
// taken as it stands); empty when there is no such executable file.
std::string FindProgram(const std::string& program);
