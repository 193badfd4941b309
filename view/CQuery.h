#pragma once

#include <list>
#include <string>
#include <vector>

class CClassType;
class CSqRectangle;
class IQueryTarget;

// A class query the user can run on the current selection from the view's popup menu: it
// selects every class that passes a test against all selected classes.
class CQuery {
public:
    // Whether candidate passes the query's test against one selected class.
    using Test = bool (*)(const CClassType* candidate, const CClassType* selected);

    // name and description label the query in the menu; notFound is shown when no class passes.
    CQuery(std::string name, std::string description, std::string notFound, Test test);

    // "Sub Class Query": every class that derives from all selected classes.
    static CQuery SubClassQuery();
    // "Super Class Query": every class that all selected classes derive from.
    static CQuery SuperClassQuery();

    // Replaces target's selection with the rectangles of the classes that pass the test for
    // every selected class (a class never passes against itself), in the order of an element
    // search over the selection's program; shows the not-found text instead when no such class
    // has a rectangle. Does nothing unless selection is a class selection.
    void Execute(const std::list<CSqRectangle*>& selection, IQueryTarget& target) const;

    std::string GetName() const { return Name; }
    std::string GetDescription() const { return Description; }

private:
    std::string Name;
    std::string Description;
    std::string NotFound;
    Test Passes;
};

// True when the selection is not empty and every selected rectangle's element is exactly a
// class (not a group, a function, a typedef, ...).
bool IsClassSelection(const std::list<CSqRectangle*>& selection);
