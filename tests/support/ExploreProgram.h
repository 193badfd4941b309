#pragma once

#include <string>

class CProgram;

// Figures of one walk through a program, for tests to check.
struct CExploration {
    int Rectangles = 0;      // rectangles in the tree
    int Deepest = 0;         // the largest Depth of a rectangle
    std::string DeepestName; // the name of the deepest rectangle's element ("" for none)
    int DeepestHit = -1;     // Depth of what FindAt gives at the deepest rectangle's centre
    int Found = 0;           // elements the search by the deepest element's name found
};

// Does with a sized program what a user of the desktop program can: lays it out for an
// 800-pixel view with the current settings (screen boxes and cushions included), describes
// every rectangle, hit-tests on a grid across the view and at the deepest rectangle's centre,
// searches for the deepest element by name, and for every class and the first program-level
// type, runs both class queries on up to two classes, changes the looks, and destroys the
// treemap. Every walk of the tree here uses an explicit stack, so that only the code under test
// recurses.
CExploration ExploreProgram(CProgram* program);
