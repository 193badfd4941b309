#include "ImportTestSupport.h"

#include "model/CAliasType.h"
#include "model/CBasicType.h"
#include "model/CEnumType.h"
#include "model/COpaqueType.h"
#include "model/CReferenceType.h"
#include "model/CSourceFile.h"

namespace {

using Lines = std::vector<std::string>;

// The elements every failure case starts with (lines 3 to 7).
const std::string Base = "  <Namespace id=\"_1\" name=\"::\"/>\n"
                         "  <File id=\"f0\" name=\"a.h\"/>\n"
                         "  <File id=\"f1\" name=\"b.cpp\"/>\n"
                         "  <FundamentalType id=\"_2\" name=\"int\"/>\n"
                         "  <FundamentalType id=\"_3\" name=\"char\"/>\n";

std::string ReadError(int line) {
    return "[error] Error loading file: Read error on line number " + std::to_string(line);
}

const std::string BadId = "[error] Error parsing id number.: Node on line: ...";
const std::string NotCreated = "[error] Error in xml file: Could not create element";

struct FailureCase {
    const char* Name;
    std::string Body; // appended to Base, from line 8 on
    Lines Log;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.Name;
}

} // namespace

class ReaderFailure : public ImportTest, public testing::WithParamInterface<FailureCase> {};

// Every failure ends in false, the exact log entries, and an empty program (the sanitizer
// build checks that every object of the partial model was freed exactly once).
TEST_P(ReaderFailure, LogsTheEntriesAndLeavesNothingOfThePartialModel) {
    const FailureCase& c = GetParam();
    EXPECT_FALSE(LoadBody(Base + c.Body));
    EXPECT_EQ(c.Log, LogLines());
    EXPECT_TRUE(ProgramIsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    PassOne, ReaderFailure,
    testing::Values(
        FailureCase{"IdWithoutNumber",
                    "  <Namespace id=\"x\" name=\"n\" context=\"_1\"/>\n",
                    {BadId, NotCreated, ReadError(8)}},
        FailureCase{"MissingId", "  <Function name=\"f\"/>\n", {BadId, NotCreated, ReadError(8)}},
        FailureCase{"IdPastTheRangeOfInt",
                    "  <Namespace id=\"_99999999999\" name=\"n\" context=\"_1\"/>\n",
                    {BadId, NotCreated, ReadError(8)}},
        FailureCase{"UnknownTag",
                    "  <Foo id=\"_5\"/>\n",
                    {"[error] Unknown Element Type: Foo", NotCreated, ReadError(8)}},
        FailureCase{
            "UnknownTagWithoutIdFailsOnTheId", "  <Foo/>\n", {BadId, NotCreated, ReadError(8)}}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.Name; });

INSTANTIATE_TEST_SUITE_P(
    PassTwo, ReaderFailure,
    testing::Values(
        FailureCase{
            "FunctionWithoutLine",
            "  <Function id=\"_4\" name=\"f\" returns=\"_2\" context=\"_1\" file=\"f0\"/>\n",
            {"[error] Error in xml file: Function_4", ReadError(8)}},
        FailureCase{"FunctionInAClass",
                    "  <Class id=\"_4\" name=\"C\" context=\"_1\" file=\"f0\" line=\"1\"/>\n"
                    "  <Function id=\"_5\" name=\"f\" returns=\"_2\" context=\"_4\" file=\"f0\" "
                    "line=\"2\"/>\n",
                    {"[error] Error in xml file: Function_5", ReadError(9)}},
        FailureCase{"FunctionWithoutContext",
                    "  <Function id=\"_4\" name=\"f\" returns=\"_2\" file=\"f0\" line=\"2\"/>\n",
                    {"[error] Error in xml file: Function_4", ReadError(8)}},
        FailureCase{"FunctionInAnUnknownFile",
                    "  <Function id=\"_4\" name=\"f\" returns=\"_2\" context=\"_1\" file=\"f9\" "
                    "line=\"2\"/>\n",
                    {"[error] Error in xml file: Function_4", ReadError(8)}},
        FailureCase{"MethodWithUnfiledReturnType",
                    "  <Method id=\"_4\" name=\"m\" returns=\"_77\" context=\"_1\" file=\"f0\" "
                    "line=\"2\"/>\n",
                    {"[error] Error in xml file: Method_4", ReadError(8)}},
        FailureCase{"MethodWithoutContext",
                    "  <Method id=\"_4\" name=\"m\" returns=\"_2\" file=\"f0\" line=\"2\"/>\n",
                    {"[error] Error in xml file: Method_4", ReadError(8)}},
        FailureCase{"ConstructorInANamespace",
                    "  <Constructor id=\"_4\" name=\"C\" context=\"_1\" file=\"f0\" line=\"2\"/>\n",
                    {"[error] Error in xml file: Constructor_4", ReadError(8)}},
        FailureCase{"VariableOfUnfiledType",
                    "  <Variable id=\"_4\" name=\"v\" type=\"_50\" context=\"_1\" file=\"f0\"/>\n",
                    {ReadError(8)}},
        FailureCase{"FieldInAnUnknownFile",
                    "  <Variable id=\"_4\" name=\"v\" type=\"_2\" context=\"_1\" file=\"f5\"/>\n",
                    {ReadError(8)}},
        FailureCase{"FieldWithoutType",
                    "  <Field id=\"_4\" name=\"x\" context=\"_1\" file=\"f0\"/>\n",
                    {"[error] Error in xml file: Field_4", ReadError(8)}},
        FailureCase{"EnumerationWithoutFile",
                    "  <Enumeration id=\"_4\" name=\"E\" context=\"_1\"/>\n",
                    {"[error] Error in xml file: Enumeration_4", ReadError(8)}},
        FailureCase{"EnumerationInAFunction",
                    "  <Function id=\"_4\" name=\"f\" returns=\"_2\" context=\"_1\" file=\"f0\" "
                    "line=\"2\"/>\n"
                    "  <Enumeration id=\"_5\" name=\"E\" context=\"_4\" file=\"f0\"/>\n",
                    {ReadError(9)}},
        FailureCase{"TypedefOfUnfiledType",
                    "  <Typedef id=\"_4\" name=\"T\" type=\"_40\" context=\"_1\" file=\"f0\"/>\n",
                    {ReadError(8)}},
        FailureCase{"TypedefWithoutContext",
                    "  <Typedef id=\"_4\" name=\"T\" type=\"_2\" file=\"f0\"/>\n",
                    {"[error] Error in xml file: Typedef_4", ReadError(8)}},
        FailureCase{"PointerWithoutType",
                    "  <PointerType id=\"_4\"/>\n",
                    {"[error] Error in xml file: PointerType_4", ReadError(8)}},
        FailureCase{"ReferenceToUnfiledType",
                    "  <ReferenceType id=\"_4\" type=\"_60\"/>\n",
                    {ReadError(8)}},
        FailureCase{"FunctionTypeWithoutReturns",
                    "  <FunctionType id=\"_4\"/>\n",
                    {"[error] Error in xml file: FunctionType_4", ReadError(8)}},
        FailureCase{"QualifiedTypeOfAnotherNumber",
                    "  <CvQualifiedType id=\"_4c\" type=\"_2\" const=\"1\"/>\n",
                    {"[error] Error in xml file: CvQualifiedType_4c", ReadError(8)}},
        FailureCase{"ClassWithoutContext",
                    "  <Class id=\"_4\" name=\"C\" file=\"f0\"/>\n",
                    {"[error] Error in xml file: Class_4", ReadError(8)}},
        FailureCase{"ClassDerivedFromATypedef",
                    "  <Class id=\"_4\" name=\"B\" context=\"_1\" file=\"f0\"/>\n"
                    "  <Typedef id=\"_5\" name=\"BT\" type=\"_4\" context=\"_1\" file=\"f0\"/>\n"
                    "  <Class id=\"_6\" name=\"D\" context=\"_1\" file=\"f0\" bases=\"_4 _5\"/>\n",
                    {"[error] Error in xml file: Class_6", ReadError(10)}},
        FailureCase{"NamespaceWhoseSlotHoldsAClass",
                    "  <Namespace id=\"_4\" name=\"n\" context=\"_1\"/>\n"
                    "  <Class id=\"_4\" name=\"C\" context=\"_1\" file=\"f0\"/>\n",
                    {"[error] Error in xml file: Namespace_4", ReadError(8)}},
        FailureCase{"StructWhoseSlotHoldsANamespace",
                    "  <Struct id=\"_4\" name=\"S\" context=\"_1\" file=\"f0\"/>\n"
                    "  <Namespace id=\"_4\" name=\"n\" context=\"_1\"/>\n",
                    {"[error] Error in xml file: Struct_4", ReadError(8)}}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.Name; });

// Ids shared by two elements and scopes that would contain themselves: each object ends up
// with one owner or the load fails; never a leak or a double delete.
INSTANTIATE_TEST_SUITE_P(
    Ownership, ReaderFailure,
    testing::Values(
        FailureCase{"TwoTypedefsShareAnId",
                    "  <Typedef id=\"_4\" name=\"A\" type=\"_2\" context=\"_1\" file=\"f0\"/>\n"
                    "  <Typedef id=\"_4\" name=\"B\" type=\"_2\" context=\"_1\" file=\"f0\"/>\n",
                    {"[error] Error in xml file: Typedef_4", ReadError(9)}},
        FailureCase{"TwoNamespacesShareAnId",
                    "  <Namespace id=\"_4\" name=\"a\" context=\"_1\"/>\n"
                    "  <Namespace id=\"_4\" name=\"b\"/>\n",
                    {"[error] Error in xml file: Namespace_4", ReadError(9)}},
        FailureCase{"TwoFieldsShareAnId",
                    "  <Struct id=\"_4\" name=\"S\" context=\"_1\" file=\"f0\"/>\n"
                    "  <Field id=\"_5\" name=\"a\" type=\"_2\" context=\"_4\" file=\"f0\"/>\n"
                    "  <Field id=\"_5\" name=\"b\" type=\"_2\" context=\"_1\" file=\"f0\"/>\n",
                    {"[error] Error in xml file: Field_5", ReadError(10)}},
        FailureCase{"MethodAndFunctionShareAnId",
                    "  <Struct id=\"_4\" name=\"S\" context=\"_1\" file=\"f0\"/>\n"
                    "  <Method id=\"_5\" name=\"m\" returns=\"_2\" context=\"_4\" file=\"f0\" "
                    "line=\"1\"/>\n"
                    "  <Function id=\"_5\" name=\"f\" returns=\"_2\" context=\"_1\" file=\"f0\" "
                    "line=\"2\"/>\n",
                    {"[error] Error in xml file: Function_5", ReadError(10)}},
        FailureCase{"PointerReplacedByAClass", // the pointer stays owned by the program
                    "  <PointerType id=\"_4\" type=\"_2\"/>\n"
                    "  <Class id=\"_4\" name=\"C\" context=\"_1\" file=\"f0\"/>\n",
                    {ReadError(8)}},
        FailureCase{"ClassReplacedByAPointer", // the class, in no list yet, is deleted
                    "  <Class id=\"_4\" name=\"C\" context=\"_1\" file=\"f0\"/>\n"
                    "  <PointerType id=\"_4\" type=\"_2\"/>\n",
                    {"[error] Error in xml file: Class_4", ReadError(8)}},
        FailureCase{"NamespaceInsideItself",
                    "  <Namespace id=\"_4\" name=\"loop\" context=\"_4\"/>\n",
                    {"[error] Error in xml file: Namespace_4", ReadError(8)}},
        FailureCase{"NamespacesInsideEachOther",
                    "  <Namespace id=\"_4\" name=\"a\" context=\"_5\"/>\n"
                    "  <Namespace id=\"_5\" name=\"b\" context=\"_4\"/>\n",
                    {"[error] Error in xml file: Namespace_5", ReadError(9)}},
        FailureCase{"NamespaceLoopOfThree",
                    "  <Namespace id=\"_4\" name=\"a\" context=\"_6\"/>\n"
                    "  <Namespace id=\"_5\" name=\"b\" context=\"_4\"/>\n"
                    "  <Namespace id=\"_6\" name=\"c\" context=\"_5\"/>\n",
                    {"[error] Error in xml file: Namespace_6", ReadError(10)}},
        FailureCase{"ClassInsideItself",
                    "  <Class id=\"_4\" name=\"C\" context=\"_4\" file=\"f0\"/>\n",
                    {"[error] Error in xml file: Class_4", ReadError(8)}},
        FailureCase{"ClassesInsideEachOther",
                    "  <Class id=\"_4\" name=\"A\" context=\"_5\" file=\"f0\"/>\n"
                    "  <Struct id=\"_5\" name=\"B\" context=\"_4\" file=\"f0\"/>\n"
                    "  <Field id=\"_6\" name=\"x\" type=\"_2\" context=\"_4\" file=\"f0\"/>\n",
                    {"[error] Error in xml file: Struct_5", ReadError(9)}},
        FailureCase{"FailureAfterEverythingElseLinked",
                    "  <Namespace id=\"_4\" name=\"n\" context=\"_1\"/>\n"
                    "  <Class id=\"_5\" name=\"C\" context=\"_4\" file=\"f0\"/>\n"
                    "  <Method id=\"_6\" name=\"m\" returns=\"_7\" context=\"_5\" file=\"f0\" "
                    "line=\"3\"><Argument type=\"_2\"/></Method>\n"
                    "  <PointerType id=\"_7\" type=\"_5\"/>\n"
                    "  <Field id=\"_8\" name=\"f\" type=\"_7\" context=\"_5\" file=\"f1\"/>\n"
                    "  <Typedef id=\"_9\" name=\"T\" type=\"_5\" context=\"_4\" file=\"f0\"/>\n"
                    "  <CvQualifiedType id=\"_10c\" type=\"_9\"/>\n",
                    {"[error] Error in xml file: CvQualifiedType_10c", ReadError(14)}}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.Name; });

TEST_F(ImportTest, MissingFileCannotBeOpened) {
    EXPECT_FALSE(Load("no-such-file.xml"));
    EXPECT_EQ(Lines{"[error] Could not open file: Could not open Xml file"}, LogLines());
    EXPECT_TRUE(ProgramIsEmpty());
}

TEST_F(ImportTest, FilesOfAnotherKindAreRefusedWithoutAnEntry) {
    const char* documents[] = {
        "<other><Namespace id=\"_1\" name=\"::\"/></other>", // another root
        "<!-- made by hand --><GCC_XML></GCC_XML>",          // a comment before the root
        "<!DOCTYPE other><other/>",                          // a document type first
    };
    for (const char* document : documents) {
        Dir.WriteFile("other.xml", document);
        EXPECT_FALSE(Load("other.xml")) << document;
        EXPECT_TRUE(ProgramIsEmpty());
    }
    EXPECT_TRUE(LogLines().empty());
}

// What cannot be read from its start is a read error, logged with the line.
TEST_F(ImportTest, FilesThatAreNotXmlAreReadErrors) {
    const char* documents[] = {
        "",                                                         // empty
        "this is not XML at all\n",                                 // text
        "\x89PNG\r\n\x1a\n",                                        // binary
        "<GCC_XML>\n<Namespace id=\"_1\">\n</Class>\n</GCC_XML>\n", // mismatched, early
    };
    for (const char* document : documents) {
        Dir.WriteFile("bad.xml", document);
        EXPECT_FALSE(Load("bad.xml")) << document;
        EXPECT_TRUE(ProgramIsEmpty());
    }
    Lines log = LogLines();
    ASSERT_EQ(4u, log.size());
    for (const std::string& line : log)
        EXPECT_EQ(0u, line.find("[error] Error loading file: Read error on line number ")) << line;
    EXPECT_EQ(ReadError(3), log[3]);
}

TEST_F(ImportTest, RootWithoutChildrenGivesAnEmptyModel) {
    Dir.WriteFile("empty.xml", "<?xml version=\"1.0\"?>\n<GCC_XML version=\"0.9.0\"/>\n");
    EXPECT_TRUE(Load("empty.xml"));
    EXPECT_TRUE(ProgramIsEmpty());
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(ImportTest, TruncatedAndMalformedFilesFailCleanly) {
    // Long enough that reading begins well before the fault (lines 8 to 47 are filler).
    std::string body = Base;
    for (int i = 0; i < 40; ++i)
        body += "  <FundamentalType id=\"_" + std::to_string(10 + i) + "\" name=\"int\"/>\n";
    std::string whole =
        GccXml(body + "  <Namespace id=\"_4\" name=\"n\" context=\"_1\"/>\n"
                      "  <Class id=\"_5\" name=\"C\" context=\"_4\" file=\"f0\"/>\n");
    struct {
        std::string Text;
        int Line; // where reading stopped
    } cases[] = {
        {whole.substr(0, whole.find("<Class") + 20), 49}, // inside a start tag
        {whole.substr(0, whole.rfind("</GCC_XML>")), 49}, // no end tag: at the last element
        {GccXml(body + "  <Namespace id=\"_4\" name=\"n\">\n  </Class>\n"), 49}, // mismatched
    };
    for (const auto& c : cases) {
        Dir.WriteFile("broken.xml", c.Text);
        std::size_t before = LogLines().size();
        EXPECT_FALSE(Load("broken.xml"));
        Lines log = LogLines();
        EXPECT_EQ(Lines{ReadError(c.Line)}, Lines(log.begin() + before, log.end())) << c.Text;
        EXPECT_TRUE(ProgramIsEmpty());
    }
}

// Two fundamental types sharing an id: both stay owned by the program's list (the table
// refers to the second), and the load succeeds.
TEST_F(ImportTest, ProgramTypesSharingAnIdStayInTheProgram) {
    ASSERT_TRUE(LoadBody(Base + "  <FundamentalType id=\"_3\" name=\"bool\"/>\n"
                                "  <PointerType id=\"_4\" type=\"_3\"/>\n"));
    ASSERT_EQ(4u, Program->Elements.size());
    EXPECT_EQ("char", Program->Elements[1]->GetName());
    EXPECT_EQ("bool", Program->Elements[2]->GetName());
    EXPECT_EQ("bool *", Program->Elements[3]->GetName());
}

// A sample that uses every tag and every linking rule.
class SampleModel : public ImportTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadBody(
            /* 3 */
            "<Namespace id=\"_1\" name=\"::\" members=\"_2\"/>\n"
            /* 4 */ "<Namespace id=\"_2\" name=\"app\" context=\"_1\"/>\n"
            /* 5 */ "<Namespace id=\"_3\" name=\"inner\" context=\"_2\"/>\n"
            /* 6 */ "<File id=\"f0\" name=\"a.h\"/>\n"
            /* 7 */ "<File id=\"f1\" name=\"b.cpp\"/>\n"
            /* 8 */ "<FundamentalType id=\"_4\" name=\"int\"/>\n"
            /* 9 */ "<FundamentalType id=\"_5\" name=\"char\"/>\n"
            /* 10 */ "<PointerType id=\"_6\" type=\"_5c\"/>\n"
            /* 11 */ "<CvQualifiedType id=\"_5c\" type=\"_5\" const=\"1\"/>\n"
            /* 12 */ "<Class id=\"_7\" name=\"Base\" context=\"_2\" file=\"f1\" line=\"3\"/>\n"
            /* 13 */ "<Struct id=\"_8\" name=\"Mixin\" context=\"_2\" file=\"f1\" line=\"9\"/>\n"
            /* 14 */ "<Class id=\"_9\" name=\"Derived\" context=\"_2\" file=\"f1\" line=\"12\" "
            "bases=\"_7 protected:_8 \"/>\n"
            /* 15 */ "<Class id=\"_10\" name=\"Nested\" context=\"_9\" file=\"f1\"/>\n"
            /* 16 */ "<Method id=\"_11\" name=\"Protected\" returns=\"_4\" context=\"_9\" "
            "access=\"protected\" file=\"f1\" line=\"20\"/>\n"
            /* 17 */ "<Method id=\"_12\" name=\"NoAccess\" returns=\"_4\" context=\"_9\" "
            "file=\"f1\" line=\"21\"/>\n"
            /* 18 */ "<Method id=\"_13\" name=\"Odd\" returns=\"_4\" context=\"_9\" "
            "access=\"friend\" file=\"f1\" line=\"22\"/>\n"
            /* 19 */ "<Method id=\"_14\" name=\"Private\" returns=\"_4\" context=\"_9\" "
            "access=\"private\" file=\"f1\" line=\"23\" endline=\"30\">\n"
            /* 20 */ "  <Argument name=\"a\" type=\"_4\"/>\n"
            /* 21 */ "  <Argument name=\"p\" type=\"_6\"/>\n"
            /* 22 */ "  <Ellipsis/>\n"
            /* 23 */ "</Method>\n"
            /* 24 */ "<Constructor id=\"_15\" name=\"Derived\" context=\"_9\" access=\"private\" "
            "file=\"f1\" line=\"31\"/>\n"
            /* 25 */ "<Function id=\"_16\" name=\"Free\" returns=\"_6\" context=\"_3\" "
            "file=\"f0\" line=\"12\">\n"
            /* 26 */ "  <Argument type=\"_5c\"/>\n"
            /* 27 */ "  <Argument type=\"_99\"/>\n"
            /* 28 */ "  <Argument name=\"stop\"/>\n"
            /* 29 */ "  <Argument type=\"_4\"/>\n"
            /* 30 */ "</Function>\n"
            /* 31 */ "<OperatorFunction id=\"_17\" name=\"==\" returns=\"_4\" context=\"_2\" "
            "file=\"f0\" line=\"40\"/>\n"
            /* 32 */ "<Field id=\"_18\" name=\"Count\" type=\"_5c\" context=\"_9\" "
            "access=\"protected\" file=\"f1\"/>\n"
            /* 33 */ "<Variable id=\"_19\" name=\"Global\" type=\"_6\" context=\"_3\" "
            "file=\"f0\"/>\n"
            /* 34 */ "<Typedef id=\"_20\" name=\"Handle\" type=\"_6\" context=\"_2\"/>\n"
            /* 35 */ "<Enumeration id=\"_21\" name=\"Color\" context=\"_9\" file=\"f1\"/>\n"
            /* 36 */ "<FunctionType id=\"_22\" returns=\"_4\"/>\n"
            /* 37 */ "<ReferenceType id=\"_23\" type=\"_20\"/>\n"
            /* 38 */ "<ArrayType id=\"_24\" type=\"_4\" max=\"3\"/>\n"
            /* 39 */ "<Union id=\"_25\" context=\"_9\" access=\"private\" file=\"f1\"/>\n"
            /* 40 */ "<Field id=\"_26\" name=\"BuiltIn\" type=\"_4\" context=\"_8\"/>\n"
            /* 41 */ "<MethodType id=\"_27\" basetype=\"_9\" returns=\"_5\"/>\n"
            /* 42 */ "<OffsetType id=\"_28\" basetype=\"_9\" type=\"_4\"/>\n"
            /* 43 */ "<Unimplemented id=\"_29\" type_class=\"Decltype\"/>\n"
            /* 44 */ "<Unimplemented id=\"_30\" kind=\"FunctionTemplate\" name=\"tmpl\"/>\n"
            /* 45 */ "<Typedef id=\"_31\" name=\"Dec\" type=\"_29\" context=\"_2\" "
            "file=\"f0\"/>\n"
            /* 46 */ "<Converter id=\"_32\" name=\"operator int\" returns=\"_4\" context=\"_9\" "
            "file=\"f1\" line=\"33\"/>\n"
            /* 47 */ "<OperatorMethod id=\"_33\" name=\"=\" returns=\"_4\" context=\"_9\" "
            "file=\"f1\" line=\"34\"/>\n"
            /* 48 */ "<Destructor id=\"_34\" name=\"Derived\" context=\"_9\" file=\"f1\" "
            "line=\"35\"/>\n"));
        EXPECT_TRUE(LogLines().empty());
        ASSERT_EQ(1u, Program->Namespaces.size());
        Global = Program->Namespaces[0];
        App = ChildNamespace(Global->Namespaces, "app");
        ASSERT_NE(nullptr, App);
        Inner = ChildNamespace(App->Namespaces, "inner");
        Derived = ClassIn(App, "Derived");
        ASSERT_NE(nullptr, Inner);
        ASSERT_NE(nullptr, Derived);
    }

    CNamespace* Global = nullptr;
    CNamespace* App = nullptr;
    CNamespace* Inner = nullptr;
    CClassType* Derived = nullptr;
};

TEST_F(SampleModel, NamespacesNestUnderTheGlobalOne) {
    EXPECT_EQ("::", Global->GetName());
    EXPECT_EQ(Program.get(), Global->GetParent());
    EXPECT_EQ(nullptr, Global->Context);
    EXPECT_EQ(Global, App->Context);
    EXPECT_EQ(App, Inner->Context);
    EXPECT_EQ(Program.get(), Inner->Program);
    EXPECT_EQ(1u, Global->Namespaces.size());
    EXPECT_EQ(1u, App->Namespaces.size());
}

TEST_F(SampleModel, ProgramOwnsFilesAndProgramLevelTypesInDocumentOrder) {
    ASSERT_EQ(2u, Program->SourceFiles.size());
    EXPECT_EQ("a.h", Program->SourceFiles[0]->GetName());
    EXPECT_EQ("b.cpp", Program->SourceFiles[1]->GetName());
    std::vector<std::string> names;
    for (CType* type : Program->Elements)
        names.push_back(type->GetName());
    // int, char, the pointer to const char, the function, reference, array, method and
    // member-pointer types, and the opaque type; the template left out.
    EXPECT_EQ((Lines{"int", "char", "char *", "int *", "Handle *", "int *", "char *", "int *",
                     "Decltype"}),
              names);
    auto* opaque = dynamic_cast<COpaqueType*>(Program->Elements.back());
    ASSERT_NE(nullptr, opaque);
    EXPECT_EQ(TypeKindFundamental, opaque->GetTypeKind());
    opaque->ComputeSize();
    EXPECT_EQ(0, opaque->GetSize());
    EXPECT_EQ(1, opaque->GetLines());
    for (CType* type : Program->Elements)
        EXPECT_TRUE(type->GetTypeKind() == TypeKindFundamental ||
                    type->GetTypeKind() == TypeKindDerived);
}

TEST_F(SampleModel, ClassesKeepTagBasesContextAndFile) {
    std::vector<std::string> types;
    for (CType* type : App->Types)
        types.push_back(type->GetName());
    EXPECT_EQ((Lines{"Base", "Mixin", "Derived", "Handle", "Dec"}), types);
    ASSERT_EQ(2u, Derived->Bases.size());
    EXPECT_EQ(ClassIn(App, "Base"), Derived->Bases[0]);
    EXPECT_EQ(ClassIn(App, "Mixin"), Derived->Bases[1]);
    EXPECT_EQ("Class", Derived->GetKind());
    EXPECT_EQ("Struct", Derived->Bases[1]->GetKind());
    EXPECT_EQ(App, Derived->Context);
    EXPECT_EQ("b.cpp", Derived->GetFile()->GetName());

    // A class nested in a class, an enumeration and an anonymous union.
    ASSERT_EQ(3u, Derived->Types.size());
    EXPECT_EQ("Nested", Derived->Types[0]->GetName());
    EXPECT_EQ(Derived, Derived->Types[0]->GetContext());
    EXPECT_NE(nullptr, dynamic_cast<CEnumType*>(Derived->Types[1]));
    EXPECT_EQ(Derived, Derived->Types[1]->GetContext());
    auto* anonymous = dynamic_cast<CClassType*>(Derived->Types[2]);
    ASSERT_NE(nullptr, anonymous);
    EXPECT_EQ("", anonymous->GetName());
    EXPECT_EQ("Union", anonymous->GetKind());
}

TEST_F(SampleModel, MethodsCarryAccessLinesArgumentsAndOwner) {
    std::vector<std::string> names;
    for (CFunction* function : Derived->Functions)
        names.push_back(function->GetName());
    EXPECT_EQ((Lines{"Protected", "NoAccess", "Odd", "Private", "Derived", "operator int", "=",
                     "Derived"}),
              names);
    EXPECT_EQ(AccessProtected, FunctionIn(Derived, "Protected")->Access);
    EXPECT_EQ(AccessPublic, FunctionIn(Derived, "NoAccess")->Access);
    EXPECT_EQ(AccessPublic, FunctionIn(Derived, "Odd")->Access); // unknown text: public
    CFunction* priv = FunctionIn(Derived, "Private");
    EXPECT_EQ(AccessPrivate, priv->Access);
    EXPECT_EQ(23, priv->Line);
    EXPECT_EQ(30, priv->EndLine);
    EXPECT_EQ((Lines{"int", "char *"}), ArgumentNames(priv)); // the ellipsis is not an argument
    EXPECT_EQ(Derived, priv->OwnerClass);
    EXPECT_EQ("int", priv->ReturnType->GetName());
    EXPECT_EQ(21, FunctionIn(Derived, "NoAccess")->EndLine); // no endline: the first line

    std::vector<CFunction*> structors = FunctionsIn(Derived, "Derived");
    ASSERT_EQ(2u, structors.size());
    for (CFunction* structor : structors) {
        EXPECT_EQ(nullptr, structor->ReturnType);
        EXPECT_EQ(Derived, structor->OwnerClass);
        EXPECT_EQ(AccessPublic, structor->Access); // whatever the element says
    }
    EXPECT_EQ(Derived, FunctionIn(Derived, "operator int")->OwnerClass);
}

TEST_F(SampleModel, FreeFunctionsAndOperatorsInNamespacesHaveNoOwner) {
    CFunction* free = FunctionIn(Inner, "Free");
    ASSERT_NE(nullptr, free);
    // The qualified char resolves to char, an unfiled type gives a null entry, and the
    // argument without a type ends the list.
    EXPECT_EQ((Lines{"char", ""}), ArgumentNames(free));
    EXPECT_EQ(nullptr, free->OwnerClass);
    EXPECT_EQ(AccessPublic, free->Access);
    EXPECT_EQ(12, free->Line);
    EXPECT_EQ(12, free->EndLine);
    EXPECT_EQ("char *", free->ReturnType->GetName());
    EXPECT_EQ("a.h", free->GetFile()->GetName());
    EXPECT_EQ(Inner, free->Context);

    CFunction* op = FunctionIn(App, "==");
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(nullptr, op->OwnerClass);
    EXPECT_EQ(App, op->Context);
}

TEST_F(SampleModel, FieldsVariablesTypedefsAndEnumerations) {
    CField* count = FieldIn(Derived, "Count");
    EXPECT_EQ(AccessProtected, count->Access);
    EXPECT_EQ(Program->Elements[1], count->Type); // the qualified char is char
    CField* global = FieldIn(Inner, "Global");
    EXPECT_EQ(AccessPublic, global->Access);
    EXPECT_EQ("char *", global->Type->GetName());
    EXPECT_FALSE(global->GetContext()->IsClass());
    EXPECT_TRUE(count->GetContext()->IsClass());

    // The compiler's built-in records have fields without a file.
    CField* builtIn = FieldIn(ClassIn(App, "Mixin"), "BuiltIn");
    EXPECT_EQ(nullptr, builtIn->SourceFile);

    // A typedef without a file names the first File element.
    auto* handle = dynamic_cast<CAliasType*>(App->Types[3]);
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ("a.h", handle->GetFile()->GetName());
    EXPECT_EQ(Program->Elements[2], handle->BaseType);
    auto* dec = dynamic_cast<CAliasType*>(App->Types[4]);
    ASSERT_NE(nullptr, dec);
    EXPECT_EQ(Program->Elements.back(), dec->BaseType); // a typedef of an opaque type

    EXPECT_EQ("b.cpp", Derived->Types[1]->GetFile()->GetName());
}

TEST_F(SampleModel, SizesTheWholeModelWithoutAnUnknownType) {
    EXPECT_NO_THROW(Program->ComputeSize());
    // Private: 7 lines, an int (4) and a pointer (4).
    EXPECT_EQ(7, FunctionIn(Derived, "Private")->GetLines());
    EXPECT_EQ(15, FunctionIn(Derived, "Private")->GetSize());
}

// A file of fewer than 100 bytes has no line estimate: each pass moves the gauge straight to
// the end of its range at its first element.
TEST_F(ImportTest, SmallFileMovesTheGaugeZeroFiftyHundred) {
    Dir.WriteFile("small.xml", "<GCC_XML><Namespace id=\"_1\" name=\"::\"/></GCC_XML>");
    CRecordingProgress progress;
    ASSERT_TRUE(Load("small.xml", &progress));
    EXPECT_EQ((Lines{"message:Reading nodes", "value:50", "refresh", "message:Connecting nodes",
                     "value:100", "refresh"}),
              progress.Events);
}

TEST_F(ImportTest, NoProgressGivesTheSameModel) {
    const std::string body = Base + "  <Namespace id=\"_4\" name=\"n\" context=\"_1\"/>\n";
    CRecordingProgress progress;
    ASSERT_TRUE(LoadBody(body, &progress));
    std::size_t withProgress = Program->Elements.size() + Program->SourceFiles.size();
    ASSERT_TRUE(LoadBody(body, nullptr));
    EXPECT_EQ(withProgress, Program->Elements.size() + Program->SourceFiles.size());
    EXPECT_EQ(1u, Program->Namespaces[0]->Namespaces.size());
}
