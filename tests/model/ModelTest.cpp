#include "app/CAppContext.h"
#include "app/CLogFile.h"
#include "layout/CFieldGroup.h"
#include "layout/CFileGroup.h"
#include "layout/CFixedViewUnits.h"
#include "layout/CFunctionGroup.h"
#include "layout/CNsGroup.h"
#include "layout/CRectArea.h"
#include "layout/CTypeGroup.h"
#include "settings/CLayoutSettings.h"
#include "support/CModelBuilder.h"
#include "support/CTempDir.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

// Installs layout settings for the current scope.
class ScopedLayout {
public:
    explicit ScopedLayout(const CLayoutSettings& layout) : Layout(layout) {
        CAppContext::SetSettings(&Layout, nullptr);
    }
    ~ScopedLayout() { CAppContext::SetSettings(nullptr, nullptr); }

private:
    CLayoutSettings Layout;
};

} // namespace

TEST(Model, ContainersSumTheirMembersThroughNestedScopes) {
    CModelBuilder b;
    CBasicType* intType = b.Basic("int");
    CBasicType* charType = b.Basic("char");
    CReferenceType* charPtr = b.Derived(charType);
    CNamespace* global = b.Namespace("::");
    CNamespace* inner = b.Namespace("inner", global);
    CClassType* cls = b.Class("C", inner);
    b.Field("x", cls, intType);                      // 4, 1
    b.Field("p", cls, charPtr);                      // 4, 1
    b.Function("f", cls, 5, 14, {intType, charPtr}); // lines 9, size 9 + 8
    b.Enum("E", cls);                                // 4, 1
    b.Typedef("T", inner, intType);                  // 1, 1
    b.Field("v", global, cls);                       // weighs the whole class

    b.GetProgram()->ComputeSize();

    EXPECT_EQ(8, cls->FieldsSize);
    EXPECT_EQ(2, cls->FieldsLines);
    EXPECT_EQ(17, cls->FunctionsSize);
    EXPECT_EQ(9, cls->FunctionsLines);
    EXPECT_EQ(4, cls->TypesSize);
    EXPECT_EQ(1, cls->TypesLines);
    EXPECT_EQ(29, cls->GetSize());
    EXPECT_EQ(12, cls->GetLines());
    EXPECT_EQ(30, inner->GetSize()); // the class and the typedef
    EXPECT_EQ(13, inner->GetLines());
    EXPECT_EQ(30, global->NamespacesSize);
    EXPECT_EQ(59, global->GetSize());
    EXPECT_EQ(25, global->GetLines());
    EXPECT_EQ(59, b.GetProgram()->GetSize());
    EXPECT_EQ(25, b.GetProgram()->GetLines());
}

TEST(Model, GroupsCopyTheSumsOnceAndCountTheirElements) {
    CModelBuilder b;
    CBasicType* intType = b.Basic("int");
    CNamespace* global = b.Namespace("::");
    CNamespace* child = b.Namespace("child", global);
    b.Function("f", child, 1, 3, {intType});
    b.Function("g", global, 1, 1);
    b.Field("v", global, intType);
    CClassType* empty = b.Class("Empty", global);
    CSourceFile* file = b.File("absent-file.h");
    CProgram* program = b.GetProgram();
    program->ComputeSize();

    ASSERT_NE(nullptr, global->FunctionGroup);
    EXPECT_EQ("Function group of ", global->FunctionGroup->GetName());
    EXPECT_EQ("Field group of ", global->FieldGroup->GetName());
    EXPECT_EQ("Type group of ", global->TypeGroup->GetName());
    EXPECT_EQ("Namespace group of ", global->NamespaceGroup->GetName());
    EXPECT_EQ("File group of ", program->FileGroup->GetName());
    EXPECT_EQ(1, global->FunctionGroup->GetSize()); // one line, no parameters
    EXPECT_EQ(4, global->FieldGroup->GetSize());
    EXPECT_EQ(0, global->TypeGroup->GetSize());
    EXPECT_EQ(6, global->NamespaceGroup->GetSize());
    EXPECT_EQ(1, global->NamespaceGroup->GetCount());
    EXPECT_EQ(1, global->TypeGroup->GetCount()); // counted whatever its size
    EXPECT_EQ(0, empty->FunctionGroup->GetCount());
    EXPECT_EQ(1, program->FileGroup->GetCount());
    EXPECT_EQ(nullptr, global->FunctionGroup->GetRect());
    EXPECT_EQ(static_cast<ISquarable*>(static_cast<CProgramElement*>(global)),
              global->FieldGroup->GetParent());
    EXPECT_EQ(static_cast<ISquarable*>(program), program->NamespaceGroup->GetParent());
    EXPECT_EQ(nullptr, global->FieldGroup->GetFile());

    // Later changes of the owner's sums are not followed.
    global->FieldsSize = 1000;
    EXPECT_EQ(4, global->FieldGroup->GetSize());

    // A second computation changes nothing and makes no second pair of groups.
    CFileGroup* files = program->FileGroup;
    CNsGroup* namespaces = program->NamespaceGroup;
    CFunctionGroup* functions = global->FunctionGroup;
    program->ComputeSize();
    EXPECT_EQ(files, program->FileGroup);
    EXPECT_EQ(namespaces, program->NamespaceGroup);
    EXPECT_EQ(functions, global->FunctionGroup);
    EXPECT_EQ(0, file->GetSize());
}

TEST(Model, FundamentalTypeSizes) {
    struct {
        const char* Name;
        int Size;
    } table[] = {{"void", 0},
                 {"bool", 1},
                 {"signed char", 1},
                 {"short unsigned int", 2},
                 {"long double", 8},
                 {"wchar_t", 2},
                 {"long unsigned int", 4},
                 {"long long int", 8},
                 {"char8_t", 1},
                 {"char16_t", 2},
                 {"char32_t", 4},
                 {"__int128", 16},
                 {"unsigned __int128", 16},
                 {"__float128", 16},
                 {"decltype(nullptr)", 4}};
    for (const auto& entry : table) {
        CBasicType type(entry.Name);
        type.ComputeSize();
        EXPECT_EQ(entry.Size, type.GetSize()) << entry.Name;
        EXPECT_EQ(1, type.GetLines()) << entry.Name;
        EXPECT_EQ(TypeKindFundamental, type.GetTypeKind());
    }
    // Computed once: a later change of the name is not looked at.
    CBasicType type("double");
    type.ComputeSize();
    type.Name = "char";
    type.ComputeSize();
    EXPECT_EQ(8, type.GetSize());
}

TEST(Model, UnknownFundamentalTypeIsLoggedAndAbandonsTheLoad) {
    CTempDir dir;
    CLogFile log;
    log.Open("log.txt");
    CAppContext::SetLog(&log);
    CModelBuilder b;
    CBasicType* intType = b.Basic("int");
    b.Basic("_Float16x");
    CNamespace* global = b.Namespace("::");
    b.Function("f", global, 1, 2, {intType});
    std::unique_ptr<CProgram> program = b.Take();
    const char* thrown = nullptr;
    try {
        program->ComputeSize();
    } catch (const char* message) {
        thrown = message;
    }
    CAppContext::SetLog(nullptr);
    ASSERT_NE(nullptr, thrown);
    EXPECT_STREQ(UnknownFundamentalTypeMessage, thrown);
    EXPECT_EQ("start logging: opening log file\n"
              "[error] Could not init basic type: _Float16x is an unknown fundamental type.\n",
              dir.ReadFile("log.txt"));
    // Destroying the half-sized model frees everything (checked by the sanitizer build).
    program.reset();
}

TEST(Model, OtherTypeMeasures) {
    CModelBuilder b;
    CBasicType* voidType = b.Basic("void");
    CReferenceType* voidPtr = b.Derived(voidType);
    CNamespace* global = b.Namespace("::");
    CAliasType* alias = b.Typedef("Handle", global, voidPtr);
    CEnumType* enumeration = b.Enum("Color", global);
    b.GetProgram()->ComputeSize();
    EXPECT_EQ(0, voidType->GetSize());
    EXPECT_EQ(4, voidPtr->GetSize());
    EXPECT_EQ(1, voidPtr->GetLines());
    EXPECT_EQ(1, alias->GetSize());
    EXPECT_EQ(1, alias->GetLines());
    EXPECT_EQ(4, enumeration->GetSize());
    EXPECT_EQ(TypeKindTypedef, alias->GetTypeKind());
    EXPECT_EQ(TypeKindEnumeration, enumeration->GetTypeKind());
    EXPECT_EQ(TypeKindDerived, voidPtr->GetTypeKind());
}

TEST(Model, DerivedTypesAreSpelledFromTheirBaseChain) {
    CModelBuilder b;
    CBasicType* charType = b.Basic("char");
    CReferenceType* ptr = b.Derived(charType);
    CReferenceType* ptrPtr = b.Derived(ptr);
    CNamespace* global = b.Namespace("::");
    CAliasType* handle = b.Typedef("Handle", global, ptrPtr);
    CReferenceType* refToHandle = b.Derived(handle);
    CClassType* cls = b.Class("Widget", global);
    CReferenceType* refToClass = b.Derived(cls);
    EXPECT_EQ("char *", ptr->GetName());
    EXPECT_EQ("char * *", ptrPtr->GetName());
    EXPECT_EQ("Handle", handle->GetName()); // its own name, not the aliased one
    EXPECT_EQ("Handle *", refToHandle->GetName());
    EXPECT_EQ("Widget *", refToClass->GetName());
    EXPECT_EQ(handle->GetBaseType(), ptrPtr);
}

TEST(Model, CyclicDerivedTypeChainsAreSpelledWithoutEndlessRecursion) {
    CReferenceType self;
    self.BaseType = &self;
    EXPECT_EQ(" *", self.GetName());
    CReferenceType a, b, c;
    a.BaseType = &b;
    b.BaseType = &c;
    c.BaseType = &b; // a leads into the cycle b, c
    std::string name = a.GetName();
    EXPECT_LE(name.size(), 20u);
    EXPECT_EQ(0u, name.size() % 2);
    a.ComputeSize();
    EXPECT_EQ(4, a.GetSize());
    CReferenceType dangling; // a base never linked
    EXPECT_EQ(" *", dangling.GetName());
}

TEST(Model, LongDerivedChainsDoNotExhaustTheStack) {
    CModelBuilder b;
    CType* type = b.Basic("int");
    for (int i = 0; i < 200000; ++i)
        type = b.Derived(type);
    EXPECT_EQ(3 + 2 * 200000u, type->GetName().size());
}

TEST(Model, ClassesThatReachThemselvesAreSizedOnce) {
    CModelBuilder b;
    CNamespace* global = b.Namespace("::");
    CClassType* outer = b.Class("Outer", global);
    CClassType* inner = b.Class("Inner", outer);
    CBasicType* intType = b.Basic("int");
    b.Field("back", inner, outer); // reaches the class being sized
    b.Field("self", outer, outer);
    b.Field("n", outer, intType);
    b.GetProgram()->ComputeSize();
    EXPECT_EQ(0, inner->GetSize()); // Outer answered with the sums it had so far
    EXPECT_EQ(4, outer->GetSize());
}

TEST(Model, AClassAnswersTheSameThroughBothOfItsParts) {
    CModelBuilder b;
    CNamespace* global = b.Namespace("::");
    CClassType* cls = b.Class("Both", global, {}, "Struct");
    b.Field("x", cls, b.Basic("double"));
    b.GetProgram()->ComputeSize();
    CType* asType = cls;
    CPEContainer* asContainer = cls;
    CProgramElement* fromType = asType;
    CProgramElement* fromContainer = asContainer;
    EXPECT_EQ(fromType, fromContainer);
    EXPECT_EQ(asType->GetName(), asContainer->GetName());
    EXPECT_EQ(8, asType->GetSize());
    EXPECT_EQ(asType->GetSize(), asContainer->GetSize());
    CFixedViewUnits view(800);
    {
        CRectArea treemap(b.GetProgram(), &view);
        ASSERT_NE(nullptr, asType->GetRect());
        EXPECT_EQ(asType->GetRect(), asContainer->GetRect());
    }
    EXPECT_EQ(nullptr, asContainer->GetRect());
    EXPECT_EQ("Struct", cls->GetKind());
    EXPECT_TRUE(cls->IsClass());
    EXPECT_FALSE(global->IsClass());
    EXPECT_EQ(TypeKindClass, asType->GetTypeKind());
}

TEST(Model, FunctionMeasures) {
    CModelBuilder b;
    CBasicType* intType = b.Basic("int");
    CReferenceType* charPtr = b.Derived(b.Basic("char"));
    CNamespace* global = b.Namespace("::");
    CClassType* cls = b.Class("Foo", global);
    CFunction* oneLine = b.Function("a", global, 12, 12);
    CFunction* nine = b.Function("b", global, 5, 14, {intType, charPtr});
    CFunction* backwards = b.Function("c", global, 20, 10);
    CFunction* ctor = b.Function("Foo", cls, 3, 3, {charPtr});
    CFunction* unresolved = b.Function("d", global, 1, 4, {nullptr, intType});
    CFunction* huge = b.Function("e", global, INT_MIN + 1, INT_MAX - 1, {intType});
    b.GetProgram()->ComputeSize();
    EXPECT_EQ(1, oneLine->GetLines());
    EXPECT_EQ(0, oneLine->Size);
    EXPECT_EQ(1, oneLine->GetSize());
    EXPECT_EQ(9, nine->GetLines());
    EXPECT_EQ(17, nine->GetSize());
    EXPECT_EQ(1, backwards->GetLines());
    EXPECT_EQ(nullptr, ctor->ReturnType);
    EXPECT_EQ(cls, ctor->OwnerClass);
    EXPECT_EQ(nullptr, nine->OwnerClass);
    EXPECT_EQ(7, unresolved->GetSize()); // the unresolved argument weighs nothing
    EXPECT_EQ(INT_MAX, huge->GetLines());
    EXPECT_EQ(INT_MAX, huge->GetSize());
    {
        CLayoutSettings layout;
        layout.UseFunctionLength = true;
        ScopedLayout scoped(layout);
        EXPECT_EQ(9, nine->GetSize()); // read at every call
    }
    EXPECT_EQ(17, nine->GetSize());
}

TEST(Model, SourceFilesWeighTheirBytesOnDisk) {
    CTempDir dir;
    dir.WriteFile("a.h", std::string(1234, 'x'));
    CModelBuilder b;
    CSourceFile* present = b.File(dir.Path() + "/a.h");
    CSourceFile* missing = b.File(dir.Path() + "/missing.h");
    b.GetProgram()->ComputeSize();
    EXPECT_EQ(1234, present->GetSize());
    EXPECT_EQ(1234, present->GetLines());
    EXPECT_EQ(0, missing->GetSize());
    EXPECT_EQ(0, missing->GetLines());
    // Files do not count towards the program's size.
    EXPECT_EQ(0, b.GetProgram()->GetSize());
    EXPECT_EQ(0, b.GetProgram()->GetLines());
    EXPECT_EQ(1234, b.GetProgram()->FilesSize);
    // Measured once.
    dir.WriteFile("a.h", "x");
    present->ComputeSize();
    EXPECT_EQ(1234, present->GetSize());
}

TEST(Model, ParentsContextsAndFilesPerKind) {
    CModelBuilder b;
    CSourceFile* file = b.File("f.h");
    CNamespace* top = b.Namespace("::");
    CNamespace* child = b.Namespace("child", top);
    CClassType* cls = b.Class("C", child, {}, "Class", file);
    CField* field = b.Field("x", cls, b.Basic("int"), AccessProtected, file);
    CBasicType* basic = b.Basic("char");
    CProgram* program = b.GetProgram();
    auto element = [](CProgramElement* e) { return static_cast<ISquarable*>(e); };
    EXPECT_EQ(element(program), top->GetParent());
    EXPECT_EQ(element(top), child->GetParent());
    EXPECT_EQ(element(child), cls->GetParent());
    EXPECT_EQ(element(cls), field->GetParent());
    EXPECT_EQ(element(program), file->GetParent());
    EXPECT_EQ(nullptr, program->GetParent());
    EXPECT_EQ(nullptr, basic->GetParent());
    EXPECT_EQ(nullptr, top->GetContext());
    EXPECT_EQ(static_cast<CPEContainer*>(cls), field->GetContext());
    EXPECT_EQ(element(file), field->GetFile());
    EXPECT_EQ(nullptr, child->GetFile());
    EXPECT_EQ(nullptr, file->GetFile());
    EXPECT_EQ(AccessProtected, field->Access);
    CField loose("loose");
    EXPECT_EQ(nullptr, loose.GetParent());
    EXPECT_EQ(nullptr, loose.GetRect());
}

TEST(Model, ContainsOnlyDirectMembers) {
    CModelBuilder b;
    CBasicType* intType = b.Basic("int");
    CNamespace* top = b.Namespace("::");
    CNamespace* child = b.Namespace("child", top);
    CField* field = b.Field("v", top, intType);
    CFunction* function = b.Function("f", top, 1, 1);
    CClassType* cls = b.Class("C", top);
    CFunction* method = b.Function("m", cls, 1, 1);
    CField* nestedVariable = b.Field("w", child, intType);
    EXPECT_TRUE(top->Contains(child));
    EXPECT_TRUE(top->Contains(field));
    EXPECT_TRUE(top->Contains(function));
    EXPECT_TRUE(top->Contains(static_cast<CType*>(cls)));
    EXPECT_FALSE(top->Contains(method));
    EXPECT_FALSE(top->Contains(nestedVariable));
    EXPECT_FALSE(top->Contains(top));
    EXPECT_TRUE(cls->Contains(method));
}

TEST(Model, ReleasedListsAreNotDestroyedWithTheirOwner) {
    CModelBuilder b;
    CBasicType* intType = b.Basic("int");
    CNamespace* top = b.Namespace("::");
    CNamespace* child = b.Namespace("child", top);
    CClassType* cls = b.Class("C", top);
    CField* field = b.Field("x", cls, intType);
    CFunction* function = b.Function("f", cls, 1, 2, {intType});
    CSourceFile* file = b.File("f.h");
    std::unique_ptr<CProgram> program = b.Take();

    // The failure path of the import releases every list, then deletes each element itself;
    // the sanitizer build reports any element destroyed twice or not at all.
    program->ReleaseChildLists();
    top->ReleaseChildLists();
    cls->ReleaseChildLists();
    function->ReleaseChildLists();
    EXPECT_TRUE(function->Arguments.empty());
    program.reset();
    delete top;
    delete static_cast<CType*>(cls);
    delete child;
    delete field;
    delete function;
    delete file;
    delete intType;
}
