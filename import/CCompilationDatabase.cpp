#include "import/CCompilationDatabase.h"

#include "base/CError.h"
#include "import/ShellWords.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

using Json = nlohmann::json;

// The text of a member that is a JSON string; false when it is missing or not a string.
bool StringMember(const Json& object, const char* name, std::string& value) {
    auto member = object.find(name);
    if (member == object.end() || !member->is_string())
        return false;
    value = member->get<std::string>();
    return true;
}

// Fills entry from its JSON object; returns why it cannot be compiled, or an empty text.
std::string ReadEntry(const Json& object, const std::filesystem::path& base, CCompileEntry& entry) {
    if (!object.is_object())
        return "is not an object";
    if (!StringMember(object, "file", entry.File) || entry.File.empty())
        return "has no \"file\"";
    if (!StringMember(object, "directory", entry.Directory) || entry.Directory.empty())
        return "has no \"directory\"";
    std::filesystem::path directory = base / entry.Directory; // stays as it is when absolute
    entry.Directory = directory.lexically_normal().string();
    entry.Source = (directory / entry.File).lexically_normal().string();
    auto arguments = object.find("arguments");
    std::string command;
    if (arguments != object.end()) {
        if (!arguments->is_array())
            return "has \"arguments\" that are not a list";
        for (const Json& argument : *arguments) {
            if (!argument.is_string())
                return "has \"arguments\" that are not all texts";
            entry.Arguments.push_back(argument.get<std::string>());
        }
    } else if (StringMember(object, "command", command)) {
        if (!SplitShellWords(command, entry.Arguments))
            return "has a \"command\" with an unbalanced quote or a trailing backslash";
    } else {
        return "has neither \"arguments\" nor \"command\"";
    }
    if (entry.Arguments.empty())
        return "has an empty command";
    // A command goes into a build file line by line, and into the system as C strings.
    auto unfit = [](const std::string& text) {
        return text.find_first_of(std::string("\n\r\0", 3)) != std::string::npos;
    };
    if (unfit(entry.Directory) || unfit(entry.Source))
        return "has a line break or a NUL character in its file or directory";
    for (const std::string& argument : entry.Arguments) {
        if (unfit(argument))
            return "has a line break or a NUL character in its command";
    }
    return std::string();
}

} // namespace

CCompilationDatabase::CCompilationDatabase(const std::string& text, const std::string& name)
    : Name(name) {
    Json document;
    try {
        document = Json::parse(text);
    } catch (const Json::exception& error) {
        // "[json.exception.parse_error.101] parse error at line 1, column 5: ..." without the
        // library's prefix.
        std::string what = error.what();
        std::string::size_type bracket = what.find("] ");
        throw CError(name + " is not a valid compilation database: " +
                     (bracket != std::string::npos ? what.substr(bracket + 2) : what));
    }
    if (!document.is_array())
        throw CError(name + " is not a compilation database: it holds no JSON array");
    if (document.empty())
        throw CError(name + " is an empty compilation database: it lists no files");
    std::filesystem::path base = std::filesystem::absolute(name).parent_path();
    int number = 0;
    for (const Json& object : document) {
        CCompileEntry entry;
        entry.Number = ++number;
        entry.Error = ReadEntry(object, base, entry);
        Entries.push_back(std::move(entry));
    }
}

CCompilationDatabase CCompilationDatabase::Read(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::stringstream text;
    if (!in || !(text << in.rdbuf()))
        throw CError("Could not read " + fileName);
    return CCompilationDatabase(text.str(), fileName);
}

bool CCompilationDatabase::IsDatabase(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    char c = 0;
    int read = 0;
    while (in.get(c) && read++ < 4096) {
        if (c == '[')
            return true;
        // Blanks and the bytes of a UTF-8 byte-order mark come before the array.
        bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        bool mark = c == '\xEF' || c == '\xBB' || c == '\xBF';
        if (!blank && !mark)
            return false;
    }
    return false;
}

std::string CCompilationDatabase::Describe(const CCompileEntry& entry) {
    std::string text = "entry " + std::to_string(entry.Number);
    if (!entry.File.empty())
        text += " (" + entry.File + ")";
    return text;
}
