#include "model/NestingDepth.h"

#include "model/CClassType.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace {

// The scopes that a walk goes into from scope, in the order ComputeSize takes them: the
// classes among its types; with throughTypes also the classes that are the types of its
// fields and of its functions' arguments; then, for a namespace, its child namespaces.
std::vector<const CPEContainer*> NextScopes(const CPEContainer* scope, bool throughTypes) {
    std::vector<const CPEContainer*> next;
    for (const CType* type : scope->Types) {
        if (auto* cls = dynamic_cast<const CClassType*>(type))
            next.push_back(cls);
    }
    if (throughTypes) {
        for (const CField* field : scope->Fields) {
            if (auto* cls = dynamic_cast<const CClassType*>(field->Type))
                next.push_back(cls);
        }
        for (const CFunction* function : scope->Functions) {
            for (const CType* argument : function->Arguments) {
                if (auto* cls = dynamic_cast<const CClassType*>(argument))
                    next.push_back(cls);
            }
        }
    }
    if (auto* ns = dynamic_cast<const CNamespace*>(scope))
        next.insert(next.end(), ns->Namespaces.begin(), ns->Namespaces.end());
    return next;
}

// The deepest stack of a depth-first walk from the program's namespaces that enters every
// scope once, as sizing does (a scope met again, or while it is being walked, is passed by).
int DeepestWalk(const CProgram& program, bool throughTypes) {
    struct Level {
        std::vector<const CPEContainer*> Next;
        std::size_t Index = 0;
    };
    std::unordered_set<const CPEContainer*> entered;
    std::vector<Level> stack;
    stack.push_back(
        {std::vector<const CPEContainer*>(program.Namespaces.begin(), program.Namespaces.end())});
    int deepest = 0;
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.Index == level.Next.size()) {
            stack.pop_back();
            continue;
        }
        const CPEContainer* scope = level.Next[level.Index++];
        if (!entered.insert(scope).second)
            continue;
        stack.push_back({NextScopes(scope, throughTypes)});
        deepest = std::max(deepest, static_cast<int>(stack.size()) - 1);
    }
    return deepest;
}

} // namespace

int NestingDepth(const CProgram& program) {
    return std::max(DeepestWalk(program, false), DeepestWalk(program, true));
}
