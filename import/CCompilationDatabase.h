#pragma once

#include <string>
#include <vector>

// One translation unit of a compilation database, as the database describes it.
struct CCompileEntry {
    int Number = 0;        // its position in the database, from 1
    std::string Directory; // the directory the compiler runs in, absolute
    std::string File;      // the source file as the database names it
    std::string Source;    // the source file's absolute path, normalised
    // The compiler and its arguments: the "arguments" array, or the "command" string split
    // into words.
    std::vector<std::string> Arguments;
    std::string Error; // why the entry cannot be compiled; empty when it can
};

// A JSON compilation database (compile_commands.json, as CMake, Meson and Bear write it): an
// array of entries, each with "directory", "file" and either "arguments" or "command".
class CCompilationDatabase {
public:
    // Reads the database text; name is the file it came from, used in messages and to resolve
    // a relative "directory". Throws CError when the text is not a JSON array or the array is
    // empty. An entry that cannot be compiled (not an object, "directory" or "file" missing or
    // not a text, no command, a command with an unbalanced quote) keeps the reason in its
    // Error.
    CCompilationDatabase(const std::string& text, const std::string& name);

    // Reads the file; throws CError as the constructor does, and when the file cannot be read.
    static CCompilationDatabase Read(const std::string& fileName);
    // Whether the file looks like a compilation database: its first character other than
    // blanks (and a byte-order mark) is "[".
    static bool IsDatabase(const std::string& fileName);

    const std::vector<CCompileEntry>& GetEntries() const { return Entries; }
    const std::string& GetName() const { return Name; }
    // How messages name an entry: "entry 3 (src/a.cpp)".
    static std::string Describe(const CCompileEntry& entry);

private:
    std::string Name;
    std::vector<CCompileEntry> Entries;
};
