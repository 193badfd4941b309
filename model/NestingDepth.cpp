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

// The type as a class; null for another type or none. (A type of the class kind is a class:
// the check costs less than a dynamic cast through the model's virtual base.)
const CClassType* AsClass(const CType* type) {
    return type != nullptr && type->GetTypeKind() == TypeKindClass
               ? static_cast<const CClassType*>(type)
               : nullptr;
}

// The scopes that a walk goes into from scope, in the order ComputeSize takes them: the
// classes among its types; with throughTypes also the classes that are the types of its
// fields and of its functions' arguments; then, for a namespace, its child namespaces.
std::vector<const CPEContainer*> NextScopes(const CPEContainer* scope, bool throughTypes) {
    std::vector<const CPEContainer*> next;
    for (const auto& type : scope->Types) {
        if (auto* cls = AsClass(type.get()))
            next.push_back(cls);
    }
    if (throughTypes) {
        for (const auto& field : scope->Fields) {
            if (auto* cls = AsClass(field->Type))
                next.push_back(cls);
        }
        for (const auto& function : scope->Functions) {
            for (const CType* argument : function->Arguments) {
                if (auto* cls = AsClass(argument))
                    next.push_back(cls);
            }
        }
    }
    if (auto* ns = dynamic_cast<const CNamespace*>(scope)) {
        for (const auto& child : ns->Namespaces)
            next.push_back(child.get());
    }
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
    std::vector<const CPEContainer*> top;
    for (const auto& ns : program.Namespaces)
        top.push_back(ns.get());
    stack.push_back({top});
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
