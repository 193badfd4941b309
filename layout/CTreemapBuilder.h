#pragma once

#include "layout/CSqRectangle.h"

class CClassRect;
class CElementGroup;
class CFunctionRect;
class CGroupRect;
class CNamespaceRect;
class CPEContainer;
class CProgramRect;
class CRectArea;
class CType;
struct CLayoutSettings;

// Lays out the rectangle tree of a treemap by walking its program: every container and
// function gets its children's rectangles, sized by their weights, squarified inside it, and
// every element's rectangle is recorded with the treemap. Containers give their members a
// group rectangle per kind (or, with Subdivide off, lay them out directly); the program gives
// its files and its namespaces a share each.
class CTreemapBuilder {
public:
    // treemap is borrowed; its settings decide the layout.
    explicit CTreemapBuilder(CRectArea& treemap);

    // Lays out everything below root, whose layout box must be set.
    void LayOut(CProgramRect& root);

private:
    // Lays out below a rectangle the tree already placed, by what it stands for, and records
    // it as its element's rectangle.
    void LayOutChild(CSqRectangle& rect);
    void LayOutNamespace(CNamespaceRect& rect);
    void LayOutClass(CClassRect& rect);
    void LayOutFunction(CFunctionRect& rect);
    void LayOutGroup(CGroupRect& rect);
    // Lays out the container's members inside rect, after the rectangles already in list: one
    // group rect per non-empty group, or with Subdivide off the functions, fields and types
    // directly. Does nothing to members when the container weighs 0.
    void LayOutMembers(CSqRectangle& rect, CPEContainer& container, CRectList list);
    // Makes rect's children out of list, squarifies them unless weight is 0, and lays out
    // below each of them.
    void Place(CSqRectangle& rect, CRectList list, int weight);
    // The rectangle of a type inside parent: parent's usable area x (the type's size / total),
    // a class rectangle for a class; null when the type weighs 0 or total is not positive.
    std::unique_ptr<CSqRectangle> TypeRect(CType& type, float total, CSqRectangle* parent);
    // Appends the group rectangle of a kind of the container's members when it weighs more
    // than 0, with area ua x (its size / total).
    void AddGroup(CRectList& list, std::unique_ptr<CElementGroup> group, float ua, float total,
                  CSqRectangle* parent);

    CRectArea& Treemap;
    const CLayoutSettings& Layout;
};
