#include "import/ParseOptions.h"

#include <cstring>
#include <filesystem>

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// Whether name (an option without its "-f" or "-m" and "no-") is in the table; an entry
// ending in "=" or "*" matches every name that starts with it (without the "*").
bool InTable(const std::string& name, const char* const* table) {
    for (; *table != nullptr; ++table) {
        std::size_t length = std::strlen(*table);
        char last = (*table)[length - 1];
        if (last == '*'   ? name.compare(0, length - 1, *table, length - 1) == 0
            : last == '=' ? StartsWith(name, *table)
                          : name == *table)
            return true;
    }
    return false;
}

// -f options that change the language: what is accepted, what the macros say.
const char* const LanguageOptions[] = {"exceptions",
                                       "cxx-exceptions",
                                       "rtti",
                                       "signed-char",
                                       "unsigned-char",
                                       "short-wchar",
                                       "short-enums",
                                       "ms-extensions",
                                       "ms-compatibility",
                                       "gnu-keywords",
                                       "operator-names",
                                       "char8_t",
                                       "coroutines",
                                       "coroutines-ts",
                                       "concepts",
                                       "aligned-new",
                                       "aligned-new=",
                                       "sized-deallocation",
                                       "pic",
                                       "PIC",
                                       "pie",
                                       "PIE",
                                       "openmp",
                                       "openmp-simd",
                                       "builtin",
                                       "builtin-*",
                                       "freestanding",
                                       "hosted",
                                       "wrapv",
                                       "fast-math",
                                       "finite-math-only",
                                       "threadsafe-statics",
                                       "gnu89-inline",
                                       "declspec",
                                       "dollars-in-identifiers",
                                       "template-depth=",
                                       "constexpr-depth=",
                                       "constexpr-steps=",
                                       "bracket-depth=",
                                       "new-alignment=",
                                       "trigraphs",
                                       "asm",
                                       "access-control",
                                       "strict-enums",
                                       nullptr};

// -m options that change the target: word size, architecture, instruction sets.
const char* const TargetOptions[] = {"32",
                                     "64",
                                     "x32",
                                     "arch=",
                                     "cpu=",
                                     "tune=",
                                     "fpu=",
                                     "float-abi=",
                                     "abi=",
                                     "thumb",
                                     "arm",
                                     "little-endian",
                                     "big-endian",
                                     "long-double-64",
                                     "long-double-80",
                                     "long-double-128",
                                     "sse*",
                                     "avx*",
                                     "fma",
                                     "fma4",
                                     "f16c",
                                     "bmi",
                                     "bmi2",
                                     "popcnt",
                                     "lzcnt",
                                     "aes",
                                     "pclmul",
                                     "sha",
                                     "rdrnd",
                                     "rdseed",
                                     "adx",
                                     "movbe",
                                     "mmx",
                                     "xop",
                                     "crc32",
                                     "cx16",
                                     "vaes",
                                     "vpclmulqdq",
                                     "gfni",
                                     "xsave*",
                                     "fsgsbase",
                                     "lwp",
                                     "tbm",
                                     "prfchw",
                                     "clflushopt",
                                     "clwb",
                                     nullptr};

// Options whose value is the next argument.
const char* const KeptWithValue[] = {"-I", "-isystem", "-iquote",   "-idirafter", "-include",
                                     "-D", "-U",       "--sysroot", nullptr};
const char* const DroppedWithValue[] = {"-o",
                                        "-MF",
                                        "-MT",
                                        "-MQ",
                                        "-MJ",
                                        "-x",
                                        "-Xclang",
                                        "-Xpreprocessor",
                                        "-Xassembler",
                                        "-Xlinker",
                                        "-mllvm",
                                        "-aux-info",
                                        "-arch",
                                        "-target",
                                        "-L",
                                        "-l",
                                        "-T",
                                        "-u",
                                        "-z",
                                        "-e",
                                        "--param",
                                        "-iprefix",
                                        "-iwithprefix",
                                        "-iwithprefixbefore",
                                        "-isysroot",
                                        "-imacros",
                                        "-imultilib",
                                        "-include-pch",
                                        "-dependency-file",
                                        "-Xarch_host",
                                        "-Xarch_device",
                                        nullptr};
// Options kept with their value joined to them.
const char* const KeptJoined[] = {"-I", "-isystem", "-iquote",    "-idirafter", "-include", "-D",
                                  "-U", "-std=",    "--sysroot=", "-nostdinc",  nullptr};

bool IsOneOf(const std::string& argument, const char* const* list) {
    for (; *list != nullptr; ++list) {
        if (argument == *list)
            return true;
    }
    return false;
}

// Whether an option of one argument changes what the compiler sees.
bool Kept(const std::string& argument) {
    for (const char* const* prefix = KeptJoined; *prefix != nullptr; ++prefix) {
        if (StartsWith(argument, *prefix))
            return true;
    }
    for (const char* family : {"-f", "-m"}) {
        if (!StartsWith(argument, family))
            continue;
        std::string name = argument.substr(2);
        if (StartsWith(name, "no-"))
            name = name.substr(3);
        return !name.empty() && InTable(name, family[1] == 'f' ? LanguageOptions : TargetOptions);
    }
    return false;
}

// Options whose value is a directory: as the next argument, or joined to them (the longer
// first, so that "-isystem" is not taken for "-I" and "system").
const char* const DirectoryOptions[] = {"-I",         "-isystem",  "-iquote",
                                        "-idirafter", "--sysroot", nullptr};
const char* const JoinedDirectoryOptions[] = {"-isystem",   "-iquote", "-idirafter",
                                              "--sysroot=", "-I",      nullptr};

// A directory made absolute against directory; an empty one, "-" and one relative to the
// system root ("=dir") as they stand.
std::string Absolute(const std::string& path, const std::string& directory) {
    if (path.empty() || path[0] == '/' || path[0] == '=' || path == "-")
        return path;
    return (std::filesystem::path(directory) / path).lexically_normal().string();
}

// The option with its directory made absolute, when it has one joined to it.
std::string WithAbsoluteDirectory(const std::string& option, const std::string& directory) {
    for (const char* const* prefix = JoinedDirectoryOptions; *prefix != nullptr; ++prefix) {
        if (StartsWith(option, *prefix))
            return *prefix + Absolute(option.substr(std::strlen(*prefix)), directory);
    }
    return option;
}

} // namespace

std::vector<std::string> ParseOptions(const std::vector<std::string>& arguments,
                                      const std::string& directory) {
    std::vector<std::string> options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (IsOneOf(argument, KeptWithValue)) {
            if (i + 1 < arguments.size()) {
                options.push_back(argument);
                const std::string& value = arguments[++i];
                options.push_back(IsOneOf(argument, DirectoryOptions) ? Absolute(value, directory)
                                                                      : value);
            }
        } else if (IsOneOf(argument, DroppedWithValue)) {
            ++i;
        } else if (Kept(argument)) {
            options.push_back(WithAbsoluteDirectory(argument, directory));
        }
    }
    return options;
}
