#pragma once

#include <string>
#include <vector>

// The options of a compiler command that change what the compiler sees, which the front end
// gets too: -I, -isystem, -iquote, -idirafter, -include, -D, -U (each with its value joined or
// as the next argument), -std=, --sysroot, -nostdinc*, and the -f and -m options that change
// the language or the target (exceptions, RTTI, char signedness, -march= and the instruction
// sets, ...). Everything else is dropped: the compiler itself (arguments[0]), the source and
// other files, -o, -c, -M*, -W*, -O*, -g and the like, and options that would make the front
// end load or write anything (-fplugin=, -Xclang, -mllvm, ...). Order is kept. The
// directories of -I, -isystem, -iquote, -idirafter and --sysroot are made absolute against
// directory, where the compiler runs: the same directories, and the front end then names the
// headers it finds there by absolute paths.
std::vector<std::string> ParseOptions(const std::vector<std::string>& arguments,
                                      const std::string& directory);
