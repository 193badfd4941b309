#include "import/CModelBuilder.h"

#include "base/CLogFile.h"
#include "base/StringPrintf.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"
#include "model/CSourceFile.h"
#include "model/CType.h"
#include "model/NestingDepth.h"

#include <algorithm>

CModelBuilder::CModelBuilder(CLogFile& log) : Log(log), Program(std::make_unique<CProgram>()) {}

CModelBuilder::~CModelBuilder() = default;

void CModelBuilder::Reserve(std::size_t slot) {
    if (slot < Nodes.size())
        return;
    // Ids come in rising order: growing by half again keeps the copies few.
    auto size = static_cast<std::size_t>(static_cast<double>(slot) * 1.5 + 1.0);
    Nodes.resize(std::max(size, slot + 1), nullptr);
    Types.resize(Nodes.size(), nullptr);
    Scopes.resize(Nodes.size(), nullptr);
    Classes.resize(Nodes.size(), nullptr);
    Exact.resize(Nodes.size(), nullptr);
    Unadopted.resize(Nodes.size());
}

void CModelBuilder::File(std::size_t slot, CProgramElement* element, CType* type,
                         CPEContainer* scope) {
    Reserve(slot);
    Nodes[slot] = element;
    Types[slot] = type;
    Scopes[slot] = scope;
    Classes[slot] = nullptr;
    Exact[slot] = nullptr;
}

void CModelBuilder::AddProgramType(int number, std::unique_ptr<CType> type) {
    auto slot = static_cast<std::size_t>(number);
    File(slot, type.get(), type.get(), nullptr);
    Unadopted[slot].reset(); // a scoped element filed here before is replaced
    Program->AddElement(std::move(type));
}

void CModelBuilder::AddFile(std::unique_ptr<CSourceFile> file) {
    Files.push_back(file.get());
    Program->AddFile(std::move(file));
}

CSourceFile* CModelBuilder::ResolveFile(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= Files.size())
        return nullptr;
    return Files[static_cast<std::size_t>(index)];
}

bool CModelBuilder::MayAdopt(int number, CPEContainer* context) {
    // Only an element the builder still owns can get an owner.
    if (number < 0 || static_cast<std::size_t>(number) >= Unadopted.size() ||
        Unadopted[static_cast<std::size_t>(number)] == nullptr)
        return false;
    // The contexts of scopes adopted so far form a forest, so this walk ends; refusing the
    // adoption that would close a loop keeps it one. Nesting only grows as scopes are adopted,
    // so a walk that goes deeper than the limit has found a model too deep to accept; stopping
    // it there also keeps the walks short.
    if (CPEContainer* scope = Scopes[static_cast<std::size_t>(number)]) {
        int depth = 0;
        for (CPEContainer* outer = context; outer != nullptr; outer = outer->GetContext()) {
            if (outer == scope)
                return false;
            if (++depth >= MaxNestingDepth) {
                LogTooDeep();
                return false;
            }
        }
    }
    return true;
}

template <class T> std::unique_ptr<T> CModelBuilder::Release(int number) {
    auto slot = static_cast<std::size_t>(number);
    auto* element = Resolve<T>(number);
    Unadopted[slot].release(); // now owned through element
    return std::unique_ptr<T>(element);
}

void CModelBuilder::AdoptFunction(int number, CPEContainer& scope) {
    scope.Functions.push_back(Release<CFunction>(number));
}

void CModelBuilder::AdoptField(int number, CPEContainer& scope) {
    scope.Fields.push_back(Release<CField>(number));
}

void CModelBuilder::AdoptType(int number, CPEContainer& scope) {
    scope.AddType(Release<CType>(number));
}

void CModelBuilder::AdoptNamespace(int number, CNamespace* parent) {
    std::unique_ptr<CNamespace> ns = Release<CNamespace>(number);
    ns->SetParent(parent, Program.get());
    if (parent != nullptr)
        parent->Namespaces.push_back(std::move(ns));
    else
        Program->Namespaces.push_back(std::move(ns));
}

bool CModelBuilder::CheckNesting() {
    if (NestingDepth(*Program) <= MaxNestingDepth)
        return true;
    LogTooDeep();
    return false;
}

void CModelBuilder::LogTooDeep() {
    Log.Error("Error in xml file", TooDeepText());
}

std::string CModelBuilder::TooDeepText() {
    return StringPrintf("Nesting deeper than %i levels", MaxNestingDepth);
}

std::unique_ptr<CProgram> CModelBuilder::TakeProgram() {
    Nodes.clear();
    Unadopted.clear();
    Files.clear();
    return std::move(Program);
}
