#pragma once

#include "view/CClassCriterion.h"
#include "view/CNameCriterion.h"
#include "view/CTypeCriterion.h"

#include <memory>
#include <vector>

class CClassType;
class CNamespace;
class CProgram;
class CProgramElement;
class CType;
class ISquarable;

// A search over the program model: criteria, and after the walk the elements found. The walk
// goes through the member lists of the sized program in the order the treemap's groups show
// them.
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
