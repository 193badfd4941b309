#pragma once

class CProgram;
class CWorkspace;

// Does with a sized program what the desktop program does with an opened file: lays it out for
// an 800-pixel view, describes every rectangle, hit-tests across the view, searches by name and
// by kind, runs both class queries and changes the looks.
void ExploreProgram(CWorkspace& workspace, CProgram& program);
