#pragma once

#include <list>
#include <string>
#include <vector>

class CClassType;
class CSqRectangle;
class IQueryTarget;

// An operation the user can run on the current selection from the view's popup menu.
class CQuery {
public:
    CQuery(std::string name, std::string description)
        : Name(std::move(name)), Description(std::move(description)) {}
    virtual ~CQuery() = default;
    CQuery(const CQuery&) = delete;
    CQuery& operator=(const CQuery&) = delete;

    // Runs the query on the selected rectangles (borrowed). The second argument is unused.
    virtual void Execute(std::list<CSqRectangle*>* selection, int) = 0;

    std::string GetName() const { return Name; }
    std::string GetDescription() const { return Description; }

    // The view whose selection the queries change (borrowed; null when there is none).
    static void SetTarget(IQueryTarget* target);

protected:
    // Replaces the selection with the rectangles of the classes that pass test(candidate,
    // selected) for every selected class, in the order of an element search over the
    // selection's program; shows notFound instead when no such class has a rectangle. Does
    // nothing unless every selected rectangle stands for a class.
    static void SelectClasses(const std::list<CSqRectangle*>& selection,
                              bool (*test)(const CClassType* candidate, const CClassType* selected),
                              const char* notFound);

private:
    std::string Name;
    std::string Description;
};

// The queries that apply to the selection: the sub class query, then the super class query,
// when every selected rectangle stands for a class; none otherwise. Not owned by the caller.
std::vector<CQuery*> GetApplicableQueries(const std::list<CSqRectangle*>& selection);

// True when the selection is not empty and every selected rectangle's element is exactly a
// class (not a group, a function, a typedef, ...).
bool IsClassSelection(const std::list<CSqRectangle*>& selection);

// Destroys both query instances (sub class query first); the program calls it once at exit.
void DeleteQueries();
