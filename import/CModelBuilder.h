#pragma once

#include "model/CPEContainer.h"
#include "model/CType.h"

#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

class CLogFile;
class CNamespace;
class CProgram;
class CProgramElement;
class CSourceFile;

// The model a read is building, and everything the read has created for it. Elements are
// filed by their id number; the builder owns each one until it is adopted by its scope (or, for
// files and program-level types, by the program from the start), so that a read that fails at
// any point leaves nothing behind.
class CModelBuilder {
public:
    // log (borrowed) hears of models nested too deep.
    explicit CModelBuilder(CLogFile& log);
    ~CModelBuilder();
    CModelBuilder(const CModelBuilder&) = delete;
    CModelBuilder& operator=(const CModelBuilder&) = delete;

    // Files an element that will be adopted by a scope under number; an element not yet
    // adopted that it replaces is destroyed.
    template <class T> void Add(int number, std::unique_ptr<T> element) {
        auto slot = static_cast<std::size_t>(number);
        File(slot, element.get(), View<CType>(element.get()), View<CPEContainer>(element.get()));
        Classes[slot] = &typeid(T);
        Exact[slot] = element.get();
        Unadopted[slot] = std::move(element);
    }
    // Files a fundamental, derived or opaque type under number; the program owns it at once.
    void AddProgramType(int number, std::unique_ptr<CType> type);
    // Appends a file to the program and to the file index.
    void AddFile(std::unique_ptr<CSourceFile> file);

    // The element filed under number as T; null when out of range, empty or of another class.
    // An element asked for as the class it was filed as needs no cast.
    template <class T> T* Resolve(int number) const {
        if (number < 0 || static_cast<std::size_t>(number) >= Nodes.size())
            return nullptr;
        auto slot = static_cast<std::size_t>(number);
        if (Classes[slot] != nullptr && *Classes[slot] == typeid(T))
            return static_cast<T*>(Exact[slot]);
        return dynamic_cast<T*>(Nodes[slot]);
    }
    // The same for the two views the links ask for most, found once when the element was filed.
    CType* ResolveType(int number) const { return Slot(Types, number); }
    CPEContainer* ResolveScope(int number) const { return Slot(Scopes, number); }
    // The file at an index of the file index; null when there is none.
    CSourceFile* ResolveFile(int index) const;

    // Whether the element filed under number may be adopted by context now. False when it has
    // an owner already, or when, as a scope, it would end up inside itself (context is itself
    // or lies inside it) or more than MaxNestingDepth scopes deep (logged).
    bool MayAdopt(int number, CPEContainer* context);
    // Hands the element filed under number to its scope's list of its kind: functions, fields
    // or types. The element must not have been adopted before.
    void AdoptFunction(int number, CPEContainer& scope);
    void AdoptField(int number, CPEContainer& scope);
    void AdoptType(int number, CPEContainer& scope);
    // Hands a namespace to its parent namespace, or to the program when parent is null.
    void AdoptNamespace(int number, CNamespace* parent);

    // False, with a log entry, when the model nests deeper than MaxNestingDepth.
    bool CheckNesting();
    // Logs that the model nests deeper than MaxNestingDepth: "Error in xml file", TooDeepText.
    void LogTooDeep();
    // "Nesting deeper than <MaxNestingDepth> levels".
    static std::string TooDeepText();

    CProgram& GetProgram() { return *Program; }
    // The finished model; the builder keeps nothing.
    std::unique_ptr<CProgram> TakeProgram();

    // The deepest nesting a load accepts (NestingDepth of the model: scopes inside scopes, and
    // chains of classes sized through the types of their fields and arguments). The layout,
    // the search, the sizing and the destruction of the model recurse once or a few times per
    // level; this limit keeps them well inside the stack of the program (with room to spare in
    // the sanitizer build) while lying far beyond real code, whose scopes nest a few levels
    // deep (compilers need only support 256 levels of nested classes).
    static constexpr int MaxNestingDepth = 1000;

private:
    // Makes room for number in the index.
    void Reserve(std::size_t slot);
    // Files element under slot with its views as a type and as a scope (null when it is not
    // one).
    void File(std::size_t slot, CProgramElement* element, CType* type, CPEContainer* scope);
    // An element as a TView, found from its static type T; null when it is none.
    template <class TView, class T> static TView* View(T* element) {
        if constexpr (std::is_base_of_v<TView, T>)
            return element;
        else if constexpr (std::is_same_v<T, CProgramElement>)
            return dynamic_cast<TView*>(element);
        else
            return nullptr;
    }
    template <class T> static T* Slot(const std::vector<T*>& slots, int number) {
        if (number < 0 || static_cast<std::size_t>(number) >= slots.size())
            return nullptr;
        return slots[static_cast<std::size_t>(number)];
    }
    // Takes the builder's ownership of the element filed under number, as T.
    template <class T> std::unique_ptr<T> Release(int number);

    CLogFile& Log;
    std::unique_ptr<CProgram> Program;
    std::vector<CProgramElement*> Nodes; // borrowed index: slot n holds the element of id n
    std::vector<CType*> Types;           // the same elements as types (null for others)
    std::vector<CPEContainer*> Scopes;   // the same elements as scopes (null for others)
    // The class each element was filed as, and the element as that class (Add; null for the
    // program-level types).
    std::vector<const std::type_info*> Classes;
    std::vector<void*> Exact;
    // Slot n owns the element of id n until it is adopted; empty for program-level types.
    std::vector<std::unique_ptr<CProgramElement>> Unadopted;
    std::vector<CSourceFile*> Files; // borrowed index: the File elements in document order
};
