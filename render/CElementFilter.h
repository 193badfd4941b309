#pragma once

#include "render/CClassCriterion.h"
#include "render/CNameCriterion.h"
#include "render/CTypeCriterion.h"

#include <memory>
#include <vector>

class CClassType;
class CNamespace;
class CProgram;
class CProgramElement;
class CType;
class ISquarable;

// A search over the program model: criteria, and after the walk the elements found. The walk
// goes through the groups the model made when it was sized, so it sees the elements the
// treemap shows, in the order the groups hold them.
class CElementFilter {
public:
    // Each returns a new criterion owned by the filter, with every field at its default.
    CNameCriterion* AddNameCriterion();
    CClassCriterion* AddClassCriterion();
    CTypeCriterion* AddTypeCriterion();

    // Walks the sized program and appends what passes to Results. Child namespaces are
    // visited before their parent; an element is not appended right after itself.
    void SearchProgram(CProgram* program);

    std::vector<std::unique_ptr<CNameCriterion>> NameCriteria;
    std::vector<std::unique_ptr<CClassCriterion>> ClassCriteria;
    std::vector<std::unique_ptr<CTypeCriterion>> TypeCriteria;
    std::vector<ISquarable*> Results; // borrowed elements, in the order found

private:
    bool HasCriteria() const;
    void VisitNamespace(CNamespace* ns);
    void VisitType(CType* type);
    void NameTest(CProgramElement* element);
    void ClassTest(CClassType* candidate);
    void TypeTest(CType* type);
    void Append(CProgramElement* element);
};
