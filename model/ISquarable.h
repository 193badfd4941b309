#pragma once

#include <string>

class CRectArea;
class CSqRectangle;

// Everything that can become one square of the treemap: program elements and element groups.
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
    // Records the rectangle the layout made for this square; containers, functions, groups and
    // the program also lay out their children inside it.
    virtual void SetRect(CSqRectangle* rect, CRectArea* treemap) = 0;
    // The square that encloses this one in the model; null at the top.
    virtual ISquarable* GetParent() const = 0;
    // The rectangle last recorded by SetRect; null before the first layout.
    virtual CSqRectangle* GetRect() const = 0;

protected:
    ~ISquarable() = default; // never deleted through this interface
};
