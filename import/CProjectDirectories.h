#pragma once

#include <string>
#include <vector>

class CCompilationDatabase;
class CProgram;

// The directories that hold a project's own files, as the file that describes the project
// says, and the step that limits a model read for it to the project's own declarations.
// Directories and files are compared as normalised absolute paths: both lexically normalised
// and, when they exist, by their real paths (the front end names some headers through "..",
// "/../lib/gcc/..." for instance, or through symbolic links).
class CProjectDirectories {
public:
    // A compilation database's project: the database's directory, and for every entry that can
    // be compiled the directories of its source and of its -I and -iquote options. Relative
    // file names are taken against the entries' directories.
    static CProjectDirectories OfDatabase(const CCompilationDatabase& database);
    // A project file's project: the project file's directory, and the directories of the
    // sources and of the -I and -iquote options among its options. Relative names, the
    // project's and the front end's, are taken against the working directory, where the front
    // end runs.
    static CProjectDirectories OfProjectFile(const std::string& projectFile,
                                             const std::vector<std::string>& options);

    // Adds a directory of the project's own files; a relative one is taken against base, and
    // one that is not a path (empty, "=dir") is left out.
    void AddDirectory(const std::string& directory, const std::string& base);
    // Adds a directory against which the front end's relative file names are taken.
    void AddBase(const std::string& base);
    // Whether a file, named as the front end names it, lies under one of the directories; a
    // name in angle brackets ("<builtin>") never does.
    bool Contains(const std::string& fileName) const;
    // Hides every declaration of program outside the project (HideOutside).
    void Limit(CProgram& program) const;

private:
    // path's forms: lexically normalised without a trailing "/", and its real path when it
    // exists and differs.
    static std::vector<std::string> Forms(const std::string& path);

    std::vector<std::string> Directories; // normalised, without a trailing "/" ("/" for root)
    std::vector<std::string> Bases;
};
