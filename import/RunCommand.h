#pragma once

#include <functional>
#include <string>
#include <vector>

// What runs the front end of a project: the program's name or path and its arguments (without
// the program itself); returns the exit status, -1 when it could not be started or did not end
// normally. RunCommand runs a process; tests and fuzzing give stand-ins.
using CommandRunner =
    std::function<int(const std::string& program, const std::vector<std::string>& arguments)>;

// Runs program, found along PATH when its name holds no "/", with the argument vector
// program, arguments... (no shell: every string arrives whole, with its blanks), and waits for
// it to end. The program inherits the standard streams, except that its standard output goes
// to our standard error, so that everything it says ends up there. Returns the program's exit
// status, or -1 when it could not be started (the reason is then written to standard error)
// or did not end normally.
int RunCommand(const std::string& program, const std::vector<std::string>& arguments);

// The path of program found along PATH as posix_spawnp would find it (a name with a "/" is
// taken as it stands); empty when there is no such executable file.
std::string FindProgram(const std::string& program);
