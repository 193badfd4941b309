#pragma once

#include <memory>
#include <string>
#include <vector>

class CLogFile;
class CNamespace;
class CPEContainer;
class CProgram;
class CProgramElement;
class CSourceFile;
class CType;

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
    void Add(int number, std::unique_ptr<CProgramElement> element);
    // Files a fundamental, derived or opaque type under number; the program owns it at once.
    void AddProgramType(int number, std::unique_ptr<CType> type);
    // Appends a file to the program and to the file index.
    void AddFile(std::unique_ptr<CSourceFile> file);

    // The element filed under number as T; null when out of range, empty or of another class.
    template <class T> T* Resolve(int number) const {
        if (number < 0 || static_cast<std::size_t>(number) >= Nodes.size())
            return nullptr;
        return dynamic_cast<T*>(Nodes[static_cast<std::size_t>(number)]);
    }
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
    // Takes the builder's ownership of the element filed under number, as T.
    template <class T> std::unique_ptr<T> Release(int number);

    CLogFile& Log;
    std::unique_ptr<CProgram> Program;
    std::vector<CProgramElement*> Nodes; // borrowed index: slot n holds the element of id n
    // Slot n owns the element of id n until it is adopted; empty for program-level types.
    std::vector<std::unique_ptr<CProgramElement>> Unadopted;
    std::vector<CSourceFile*> Files; // borrowed index: the File elements in document order
};
