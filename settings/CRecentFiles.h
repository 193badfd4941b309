#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The files opened last, newest first, kept in a file of their own (one path a line) so that
// the next session offers them too.
class CRecentFiles {
public:
    // How many files the list keeps.
    static constexpr std::size_t Limit = 8;

    // The list kept in the file at path (not read yet).
    explicit CRecentFiles(std::string path) : Path(std::move(path)) {}

    // Where the list is kept in the user's configuration directory:
    // $XDG_CONFIG_HOME/quarncode/recent, or ~/.config/quarncode/recent when XDG_CONFIG_HOME is
    // unset, empty or relative (as the XDG base directory rules say); empty when HOME is not
    // set either.
    static std::string DefaultPath();

    // Reads the list; a missing or unreadable file gives an empty one. Empty lines, repeats
    // and the lines past the Limit are dropped.
    void Load();
    // Puts file first (moving it up when it is listed), keeps the Limit newest and writes the
    // list, after reading it again so that what another window added is kept. A name with a
    // line break cannot be kept and is ignored. Returns false when the list could not be
    // written (the directory is made when missing); the list in memory is changed all the same.
    bool Add(const std::string& file);
    // Takes file out of the list and writes it; false when it could not be written.
    bool Remove(const std::string& file);

    const std::vector<std::string>& GetFiles() const { return Files; }
    const std::string& GetPath() const { return Path; }

private:
    // Writes the list in one step (ReplaceFile).
    bool Save() const;

    std::string Path;
    std::vector<std::string> Files;
};
