// Reading front-end output: the model it builds, and every way a file can fail to load.
#include "ImportTest.h"

#include "import/CModelBuilder.h"
#include "import/IdParsing.h"
#include "import/LoadProgram.h"

#include "model/CAliasType.h"
#include "model/CEnumType.h"
#include "model/CField.h"
#include "model/CFunction.h"
#include "model/COpaqueType.h"
#include "model/ElementSummary.h"

#include <algorithm>

namespace {

// The elements every failure case starts with (lines 3 to 7).
const std::string Base = "<Namespace id='_1' name='::'/>\n<File id='f0' name='a.h'/>\n"
                         "<File id='f1' name='b.cpp'/>\n<FundamentalType id='_2' name='int'/>\n"
                         "<FundamentalType id='_3' name='char'/>\n";

std::string ReadError(int line) {
    return "[error] Error loading file: Read error on line number " + std::to_string(line);
}

const std::string BadId = "[error] Error parsing id number.: Node on line: ...";
const std::string NotCreated = "[error] Error in xml file: Could not create element";

struct FailureCase {
    const char* Name;
    std::string Body;   // appended to Base, from line 8 on
    const char* Failed; // the element the log names ("" when none is named)
    int Line;           // the line of the read error
};

std::string CaseName(const testing::TestParamInfo<FailureCase>& info) {
    return info.param.Name;
}

// Appends, sorted, the qualified names of the classes in scope, in the classes and in the
// namespaces inside it, declared in a file whose name ends in suffix.
void ClassesFrom(const CPEContainer& scope, const std::string& suffix, Lines& names) {
    for (const auto& type : scope.Types) {
        if (auto* cls = dynamic_cast<const CClassType*>(type.get())) {
            const std::string& file = cls->GetFile()->GetName();
            if (file.size() > suffix.size() &&
                file.compare(file.size() - suffix.size(), suffix.size(), suffix) == 0)
                names.push_back(QualifiedName(*cls));
            ClassesFrom(*cls, suffix, names);
        }
    }
    if (auto* ns = dynamic_cast<const CNamespace*>(&scope)) {
        for (const auto& inner : ns->Namespaces)
            ClassesFrom(*inner, suffix, names);
    }
    std::sort(names.begin(), names.end());
}

} // namespace

class ReaderFailure : public ImportTest, public testing::WithParamInterface<FailureCase> {};

// Every failure gives no model and the exact log entries (the sanitizer build checks that every
// object of the partial model was freed exactly once).
TEST_P(ReaderFailure, LogsTheEntriesAndLeavesNothingOfThePartialModel) {
    const FailureCase& c = GetParam();
    EXPECT_FALSE(LoadBody(Base + c.Body));
    Lines expected{ReadError(c.Line)};
    if (*c.Failed != '\0')
        expected.insert(expected.begin(), "[error] Error in xml file: " + std::string(c.Failed));
    EXPECT_EQ(expected, LogLines());
}

// An element whose id is missing or no number within the range of int cannot be created.
TEST_F(ImportTest, ElementsWithoutANumberedIdCannotBeCreated) {
    for (const char* body :
         {"<Function name='f'/>\n", "<Namespace id='_99999999999' name='n' context='_1'/>\n"}) {
        std::size_t before = LogLines().size();
        EXPECT_FALSE(LoadBody(Base + body)) << body;
        Lines log = LogLines();
        EXPECT_EQ((Lines{BadId, NotCreated, ReadError(8)}), Lines(log.begin() + before, log.end()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    PassTwo, ReaderFailure,
    testing::Values(
        FailureCase{"FunctionWithoutLine",
                    "<Function id='_4' name='f' returns='_2' context='_1' file='f0'/>\n",
                    "Function_4", 8},
        FailureCase{"FunctionInAClass",
                    "<Class id='_4' name='C' context='_1' file='f0' line='1'/>\n<Function id='_5' "
                    "name='f' returns='_2' context='_4' file='f0' line='2'/>\n",
                    "Function_5", 9},
        FailureCase{"FunctionInTheFileOnePastTheLast",
                    "<Function id='_4' name='f' returns='_2' context='_1' file='f2' line='2'/>\n",
                    "Function_4", 8},
        FailureCase{"MethodWithUnfiledReturnType",
                    "<Method id='_4' name='m' returns='_77' context='_1' file='f0' line='2'/>\n",
                    "Method_4", 8},
        FailureCase{"ConstructorInANamespace",
                    "<Constructor id='_4' name='C' context='_1' file='f0' line='2'/>\n",
                    "Constructor_4", 8},
        FailureCase{"VariableOfUnfiledType",
                    "<Variable id='_4' name='v' type='_50' context='_1' file='f0'/>\n", "", 8},
        FailureCase{"FieldWithoutType", "<Field id='_4' name='x' context='_1' file='f0'/>\n",
                    "Field_4", 8},
        FailureCase{"EnumerationWithoutFile", "<Enumeration id='_4' name='E' context='_1'/>\n",
                    "Enumeration_4", 8},
        FailureCase{"EnumerationInAFunction",
                    "<Function id='_4' name='f' returns='_2' context='_1' file='f0' line='2'/>\n"
                    "<Enumeration id='_5' name='E' context='_4' file='f0'/>\n",
                    "", 9},
        FailureCase{"TypedefOfUnfiledType",
                    "<Typedef id='_4' name='T' type='_40' context='_1' file='f0'/>\n", "", 8},
        FailureCase{"PointerWithoutType", "<PointerType id='_4'/>\n", "PointerType_4", 8},
        FailureCase{"ReferenceToUnfiledType", "<ReferenceType id='_4' type='_60'/>\n", "", 8},
        FailureCase{"QualifiedTypeOfAnotherNumber",
                    "<CvQualifiedType id='_4c' type='_2' const='1'/>\n", "CvQualifiedType_4c", 8},
        FailureCase{"ClassWithoutContextOrFile", "<Class id='_4' name='C'/>\n", "Class_4", 8},
        FailureCase{"ClassDerivedFromATypedef",
                    "<Class id='_4' name='B' context='_1' file='f0'/>\n<Typedef id='_5' name='BT' "
                    "type='_4' context='_1' file='f0'/>\n<Class id='_6' name='D' context='_1' "
                    "file='f0' bases='_4 _5'/>\n",
                    "Class_6", 10},
        FailureCase{"NamespaceWhoseSlotHoldsAClass",
                    "<Namespace id='_4' name='n' context='_1'/>\n<Class id='_4' name='C' "
                    "context='_1' file='f0'/>\n",
                    "Namespace_4", 8},
        FailureCase{"StructWhoseSlotHoldsANamespace",
                    "<Struct id='_4' name='S' context='_1' file='f0'/>\n<Namespace id='_4' "
                    "name='n' context='_1'/>\n",
                    "Struct_4", 8}),
    CaseName);

// Ids shared by two elements and scopes that would contain themselves: each object ends up
// with one owner or the load fails; never a leak or a double delete.
INSTANTIATE_TEST_SUITE_P(
    Ownership, ReaderFailure,
    testing::Values(
        FailureCase{"TwoTypedefsShareAnId",
                    "<Typedef id='_4' name='A' type='_2' context='_1' file='f0'/>\n<Typedef "
                    "id='_4' name='B' type='_2' context='_1' file='f0'/>\n",
                    "Typedef_4", 9},
        FailureCase{"PointerReplacedByAClass", // the pointer stays owned by the program
                    "<PointerType id='_4' type='_2'/>\n<Class id='_4' name='C' context='_1' "
                    "file='f0'/>\n",
                    "", 8},
        FailureCase{"ClassReplacedByAPointer", // the class, in no list yet, is deleted
                    "<Class id='_4' name='C' context='_1' file='f0'/>\n<PointerType id='_4' "
                    "type='_2'/>\n",
                    "Class_4", 8},
        FailureCase{"NamespaceLoopOfThree",
                    "<Namespace id='_4' name='a' context='_6'/>\n<Namespace id='_5' name='b' "
                    "context='_4'/>\n<Namespace id='_6' name='c' context='_5'/>\n",
                    "Namespace_6", 10},
        FailureCase{"ClassInALoopOfFunctions", // the walk to the enclosing scope ends
                    "<Class id='_4' context='_5' file='f0'/>\n<Function id='_5' name='f' "
                    "returns='_2' context='_6' file='f0' line='1'/>\n<Method id='_6' name='m' "
                    "returns='_2' context='_5' file='f0' line='2'/>\n",
                    "Class_4", 8},
        FailureCase{"ClassesInsideEachOther",
                    "<Class id='_4' name='A' context='_5' file='f0'/>\n<Struct id='_5' name='B' "
                    "context='_4' file='f0'/>\n<Field id='_6' name='x' type='_2' context='_4' "
                    "file='f0'/>\n",
                    "Struct_5", 9},
        FailureCase{"FailureAfterEverythingElseLinked",
                    "<Namespace id='_4' name='n' context='_1'/>\n<Class id='_5' name='C' "
                    "context='_4' file='f0'/>\n<Method id='_6' name='m' returns='_7' "
                    "context='_5' file='f0' line='3'><Argument type='_2'/></Method>\n"
                    "<PointerType id='_7' type='_5'/>\n<Field id='_8' name='f' type='_7' "
                    "context='_5' file='f1'/>\n<Typedef id='_9' name='T' type='_5' "
                    "context='_4' file='f0'/>\n<CvQualifiedType id='_10c' type='_9'/>\n",
                    "CvQualifiedType_10c", 14}),
    CaseName);

// The user is told which file failed and why (the system's reason, the parser's message and
// line, the root that was found, or the reader's first complaint), and the log says so too;
// another root is refused without an entry.
TEST_F(ImportTest, FilesThatAreNotFrontEndOutputSayWhichFileAndWhy) {
    const struct {
        std::string Text;
        std::string Cause;
        Lines Logged;
    } cases[] = {
        {"", "The file is empty", {ReadError(1)}},
        {"<notes/>",
         "The document starts with <notes>, not with <GCC_XML> (front-end output) or <project>",
         {}},
        {GccXml(Base).substr(0, 85), "Line 4: AttValue: ' expected", {ReadError(4)}},
        {GccXml(Base + "<Foo id='_9'/>\n"),
         "Unknown Element Type: Foo (line 8)",
         {"[error] Unknown Element Type: Foo", NotCreated, ReadError(8)}},
        // Linking stops at the class without a file; an error libxml2 recovered from is the
        // cause only when it comes before that class.
        {GccXml(Base + "<Class id='_9' name='C' context='_1'/>\n<Class id='_10' x:y=''/>\n"),
         "Error in xml file: Class_9 (line 8)",
         {"[error] Error in xml file: Class_9", ReadError(8)}},
        {GccXml(Base + "<FundamentalType id='_10' x:y=''/>\n<Class id='_9' context='_1'/>\n"),
         "Line 8: Namespace prefix x for y on FundamentalType is not defined",
         {"[error] Error in xml file: Class_9", ReadError(9)}},
    };
    for (const auto& c : cases) {
        Dir.WriteFile("bad.xml", c.Text);
        std::size_t before = LogLines().size();
        std::string thrown;
        try {
            LoadProgram("bad.xml", nullptr, Log, RunCommand);
        } catch (const CError& error) {
            thrown = error.what();
        }
        EXPECT_EQ("Could not load file\nFile: bad.xml\n" + c.Cause, thrown);
        Lines log = LogLines();
        EXPECT_EQ(c.Logged, Lines(log.begin() + before, log.end())) << c.Cause;
    }
}

// External entities are never read: the reader sees only the file it was given (the same
// switch keeps it off the network).
TEST_F(ImportTest, ReadingReadsNothingBeyondTheFile) {
    Dir.WriteFile("secret.xml", "<Namespace id='_2' name='secret' context='_1'/>");
    Dir.WriteFile("input.xml", "<?xml version='1.0'?>\n<!DOCTYPE GCC_XML [<!ENTITY ext SYSTEM "
                               "'secret.xml'>]>\n<GCC_XML><Namespace id='_1' "
                               "name='::'/>&ext;</GCC_XML>\n");
    ASSERT_TRUE(Load("input.xml"));
    EXPECT_TRUE(Program->Namespaces[0]->Namespaces.empty());
}

// A sample (every-element.xml) that uses every tag and every linking rule.
TEST_F(ImportTest, EveryElementIsLinkedWhereItBelongs) {
    ASSERT_TRUE(Load(QUARN_SOURCE_DIR "/tests/import/every-element.xml"));
    EXPECT_TRUE(LogLines().empty());
    ASSERT_EQ(1u, Program->Namespaces.size());
    CNamespace* global = Program->Namespaces[0].get();
    ASSERT_EQ(1u, global->Namespaces.size());
    CNamespace* app = global->Namespaces[0].get();
    EXPECT_EQ(global, app->Context);

    // The program owns files and program-level types in document order; the template is left
    // out, the type the front end does not spell becomes an opaque type.
    Lines elements;
    for (const auto& type : Program->Elements)
        elements.push_back(type->GetName());
    EXPECT_EQ((Lines{"int", "char", "char *", "int *", "int *", "Decltype"}), elements);
    EXPECT_NE(nullptr, dynamic_cast<COpaqueType*>(Program->Elements.back().get()));

    // Types of app: classes with their tags and bases, a typedef without a file names the
    // first file. Members of the class: an enumeration and an anonymous union, a method, a
    // constructor and a field.
    ASSERT_EQ(4u, app->Types.size());
    auto* derived = dynamic_cast<CClassType*>(app->Types[2].get());
    auto* handle = dynamic_cast<CAliasType*>(app->Types[3].get());
    ASSERT_TRUE(derived != nullptr && handle != nullptr);
    ASSERT_EQ((std::vector<std::size_t>{2, 2, 1, 1}),
              (std::vector<std::size_t>{derived->Types.size(), derived->Functions.size(),
                                        derived->Fields.size(), app->Functions.size()}));
    auto* color = dynamic_cast<CEnumType*>(derived->Types[0].get());
    CFunction* method = derived->Functions[0].get();
    CFunction* constructor = derived->Functions[1].get();
    CField* count = derived->Fields[0].get();
    CFunction* free = app->Functions[0].get();
    ASSERT_NE(nullptr, color);
    EXPECT_EQ((std::vector<CClassType*>{dynamic_cast<CClassType*>(app->Types[0].get()),
                                        dynamic_cast<CClassType*>(app->Types[1].get())}),
              derived->Bases);
    EXPECT_EQ("Union", dynamic_cast<CClassType*>(derived->Types[1].get())->GetKind());
    EXPECT_EQ("a.h", handle->GetFile()->GetName());
    EXPECT_EQ(Program->Elements[2].get(), handle->BaseType);
    EXPECT_EQ(nullptr, derived->Bases[1]->Fields[0]->SourceFile); // a built-in record's field

    // Declarations keep their line, 0 when none is given; a function's last line is its first
    // without an endline.
    EXPECT_EQ((std::vector<int>{5, 7, 9, 0, 23, 30, 12}),
              (std::vector<int>{derived->Line, count->Line, color->Line, handle->Line, method->Line,
                                method->EndLine, free->EndLine}));
    // Access as written, but a constructor's is public whatever the element says.
    EXPECT_EQ((std::vector<int>{AccessPrivate, AccessPublic, AccessProtected}),
              (std::vector<int>{method->Access, constructor->Access, count->Access}));
    // The qualified char is char; the ellipsis is no argument, the unfiled argument type is a
    // null entry and the argument without a type ends the list.
    EXPECT_EQ(Program->Elements[1].get(), count->Type);
    EXPECT_EQ((std::vector<CType*>{Program->Elements[0].get(), Program->Elements[2].get()}),
              method->Arguments);
    EXPECT_EQ((std::vector<CType*>{Program->Elements[1].get(), nullptr}), free->Arguments);
    EXPECT_EQ(nullptr, constructor->ReturnType);
    EXPECT_EQ(nullptr, free->OwnerClass);
}

// Real front-end output of a translation unit with lambdas (tests/fixtures/lambdas.cpp): each
// closure type ("geo::", unnamed) and the local class join the namespace or class around their
// function; the closure type of Bag<int>::Add, which the front end writes without a context,
// joins "::" (its name is then "").
TEST_F(ImportTest, LambdasAndLocalClassesOfRealSourcesJoinTheEnclosingScope) {
    ASSERT_TRUE(Load(QUARN_BINARY_DIR "/fixtures/lambdas.xml"));
    Lines header, source;
    ClassesFrom(*Program->Namespaces[0], "/lambdas.h", header);
    ClassesFrom(*Program->Namespaces[0], "/lambdas.cpp", source);
    EXPECT_EQ(
        (Lines{"", "geo::", "geo::Bag<int>", "geo::Bag<int>::", "geo::Point", "geo::Registry"}),
        header);
    // Registry's two: SortByY's closure and CountNeighbours's, which holds the closure of the
    // lambda inside it.
    EXPECT_EQ((Lines{"geo::IsOrigin", "geo::Registry::", "geo::Registry::", "geo::Registry::::"}),
              source);
}

// Scopes nested exactly as deep as the reader accepts load; one level more is refused.
TEST_F(ImportTest, NestingDeeperThanTheLimitIsRefused) {
    auto chain = [](int structs) { // each struct inside the next, the last one in "::"
        std::string body = Base;
        for (int i = 0; i < structs; ++i)
            body += "<Struct id='_" + std::to_string(10 + i) + "' context='_" +
                    (i + 1 < structs ? std::to_string(11 + i) : "1") + "' file='f0'/>\n";
        return body;
    };
    EXPECT_TRUE(LoadBody(chain(CModelBuilder::MaxNestingDepth - 1)));
    EXPECT_FALSE(LoadBody(chain(CModelBuilder::MaxNestingDepth)));
    EXPECT_EQ("[error] Error in xml file: Nesting deeper than 1000 levels", LogLines().back());
}

TEST(IdParsing, NumbersPastTheRangeOfIntAreRefused) {
    EXPECT_EQ(2147483647, ParseNumber("2147483647"));
    EXPECT_EQ(-1, ParseNumber("2147483648"));
    EXPECT_EQ(-1, ParseNumber("-2147483649"));
    EXPECT_EQ(0, ParseId("_2147483648"));
}
