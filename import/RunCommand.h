#pragma once

#include <string>

// Runs program, found along PATH when its name holds no "/", with the argument vector
// program, arguments[0], ..., arguments[count - 1] (no shell: every string arrives whole, with
// its blanks), and waits for it to end. The program inherits the standard streams, except that
// its standard output goes to our standard error, so that everything it says ends up there.
// Returns the program's exit status, or -1 when it could not be started (the reason is then
// written to standard error) or did not end normally.
int RunCommand(std::string program, const std::string* arguments, int count);

// What runs the front end of a project: RunCommand, or a stand-in with the same parameters and
// result.
using CommandRunner = int (*)(std::string program, const std::string* arguments, int count);

// The runner that project compilation uses: RunCommand unless another one was installed.
CommandRunner GetCommandRunner();

// Installs runner in place of RunCommand, for tests and fuzzing that must not start processes;
// null restores RunCommand.
void SetCommandRunner(CommandRunner runner);
