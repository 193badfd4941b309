#pragma once

#include <string>

// Everything that can become one square of the treemap: program elements, and the groups the
// layout gathers them into. It knows its weight, its name and where it sits in the model; the
// rectangles made for it belong to the layout.
class ISquarable {
public:
    // The weight of the square; the layout gives each square an area in proportion to it.
    virtual int GetSize() const = 0;
    // The second measure of the square (lines of code for functions).
    virtual int GetLines() const = 0;
    // The display name.
    virtual std::string GetName() const = 0;
    // The source file declaring the element; null for groups, the program, files and types
    // without a file.
    virtual ISquarable* GetFile() const = 0;
    // The square that encloses this one in the model; null at the top.
    virtual ISquarable* GetParent() const = 0;

protected:
    ~ISquarable() = default; // never deleted through this interface
};
