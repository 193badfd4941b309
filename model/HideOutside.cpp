#include "model/HideOutside.h"

#include "model/CClassType.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"
#include "model/CSourceFile.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace {

class CHider {
public:
    CHider(CProgram& program, const std::function<bool(const CSourceFile&)>& kept)
        : Program(program) {
        for (const auto& file : program.SourceFiles) {
            if (kept(*file))
                Kept.insert(file.get());
        }
    }

    // Hides what is outside in scope's members, recursively; whether scope still holds any.
    bool Limit(CPEContainer& scope) {
        Move(scope.Functions, [this](const CFunction& f) { return IsKept(f.SourceFile); });
        Move(scope.Fields, [this](const CField& f) { return IsKept(f.SourceFile); });
        Move(scope.Types, [this](CType& type) {
            auto* element = dynamic_cast<CNsElement*>(&type);
            if (element == nullptr || !IsKept(element->SourceFile))
                return false;
            if (type.GetTypeKind() == TypeKindClass)
                Limit(static_cast<CClassType&>(type)); // a kept class stays, held or empty
            return true;
        });
        bool holds = !scope.Functions.empty() || !scope.Fields.empty() || !scope.Types.empty();
        if (auto* ns = dynamic_cast<CNamespace*>(&scope))
            holds = LimitNamespaces(ns->Namespaces) || holds;
        return holds;
    }

    // Hides the namespaces of the list that hold nothing once limited; whether any is left.
    bool LimitNamespaces(std::vector<std::unique_ptr<CNamespace>>& namespaces) {
        Move(namespaces, [this](CNamespace& ns) { return Limit(ns); });
        return !namespaces.empty();
    }

    void LimitFiles() {
        Move(Program.SourceFiles, [this](const CSourceFile& file) { return IsKept(&file); });
    }

private:
    bool IsKept(const CSourceFile* file) const { return Kept.count(file) != 0; }

    // Keeps the elements of list that keep() accepts, in order; the others go to Hidden.
    template <class T, class Keep> void Move(std::vector<std::unique_ptr<T>>& list, Keep keep) {
        std::vector<std::unique_ptr<T>> shown;
        for (auto& element : list) {
            if (keep(*element))
                shown.push_back(std::move(element));
            else
                Program.Hidden.push_back(std::move(element));
        }
        list = std::move(shown);
    }

    CProgram& Program;
    std::unordered_set<const CSourceFile*> Kept;
};

} // namespace

void HideOutside(CProgram& program, const std::function<bool(const CSourceFile&)>& kept) {
    CHider hider(program, kept);
    hider.LimitNamespaces(program.Namespaces);
    hider.LimitFiles();
}
