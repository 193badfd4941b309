#pragma once

#include "model/ISquarable.h"

#include <memory>
#include <vector>

// The members of one kind that belong to one owner (a namespace, a class or the program),
// sharing one rectangle of the treemap. Created and deleted by the owner's model.
class CElementGroup : public ISquarable {
public:
    int GetSize() const override { return Size; }
    int GetLines() const override { return Lines; }
    ISquarable* GetFile() const override { return nullptr; }
    ISquarable* GetParent() const override { return Owner; }
    CSqRectangle* GetRect() const override { return Rect; }

    // Records rect as the group's rectangle, makes list (the elements' rectangles) its child
    // list in place of the old one, squarifies it unless the group weighs 0, and lets every
    // element fill its own rectangle.
    virtual void LayoutRects(CSqRectangle* rect, std::vector<std::unique_ptr<CSqRectangle>> list,
                             CRectArea* treemap);
    // The number of grouped elements, whatever their sizes.
    virtual int GetCount() const = 0;

    int Size;                     // the owner's sum for the kind, copied at construction
    int Lines;                    // likewise
    ISquarable* Owner;            // borrowed: the namespace, class or program
    CSqRectangle* Rect = nullptr; // borrowed: the rectangle tree owns it

protected:
    CElementGroup(int size, int lines, ISquarable* owner)
        : Size(size), Lines(lines), Owner(owner) {}
    ~CElementGroup() = default; // deleted through the concrete group class
};

// A group over the owner's list of elements of class T (the list is borrowed).
template <class T> class CElementGroupOf : public CElementGroup {
public:
    int GetCount() const override { return static_cast<int>(Elements->size()); }

    const std::vector<T*>* Elements; // borrowed: the owner's list

protected:
    CElementGroupOf(const std::vector<T*>* elements, int size, int lines, ISquarable* owner)
        : CElementGroup(size, lines, owner), Elements(elements) {}
    ~CElementGroupOf() = default;
};
