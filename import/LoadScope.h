#pragma once

// Which declarations a load shows.
enum class EScope {
    // What the file asks for: the project's own for a compilation database and for a project
    // file whose settings say scope="project"; everything otherwise.
    FileDefault,
    // The project's own declarations: those in the files under the project's directories
    // (CProjectDirectories). A front-end file names no project: everything is shown.
    Project,
    // Everything the front end reported.
    All,
};
