#pragma once

#include <cstddef>
#include <string>

// The document commands of the main window's menus, carried out by the application.
class IDocumentCommands {
public:
    // Loads a project file, a compilation database or a front-end file and shows it.
    virtual void LoadFile(std::string fileName) = 0;
    // Drops the current document.
    virtual void CloseFile() = 0;
    // Loads the current document again with the other scope: the project's own declarations
    // alone, or everything.
    virtual void ToggleProjectScope() = 0;
    // Loads the file at index in File, Recent Files (0: the newest); a file that no longer
    // exists is taken off the list, which the user is told.
    virtual void OpenRecentFile(std::size_t index) = 0;
    // Runs the preferences dialog and applies or undoes its result.
    virtual void EditSettings() = 0;

protected:
    ~IDocumentCommands() = default;
};
