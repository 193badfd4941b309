// Merging the front-end outputs of several translation units into one document: the keys that
// make two elements one, and a single output written back as it was.
#include "ImportTest.h"
#include "support/RunCli.h"

#include "import/CGccXmlMerger.h"
#include "model/CModelCounts.h"

#include <filesystem>
#include <regex>

namespace {

// The start of every output: the global namespace, int, and the files named.
std::string Output(const std::vector<std::string>& files, const std::string& body) {
    std::string text = "  <Namespace id='_1' name='::'/>\n"
                       "  <FundamentalType id='_2' name='int'/>\n";
    for (std::size_t i = 0; i < files.size(); ++i)
        text += "  <File id='f" + std::to_string(i) + "' name='" + files[i] + "'/>\n";
    return GccXml(text + body);
}

// namespace geo { class A { int x; int f(); A(int); }; typedef int T; enum E; A*; s = "..." },
// in f0.
const std::string Geo =
    "<Namespace id='_3' name='geo' context='_1'/>\n<Class id='_4' name='A' context='_3' file='f0' "
    "line='3'/>\n<Field id='_5' name='x' type='_2' context='_4' file='f0' line='4'/>\n<Method "
    "id='_6' name='f' returns='_2' context='_4' file='f0' line='5' mangled='_ZN3geo1A1fEv'/>\n"
    "<Constructor id='_7' name='A' context='_4' file='f0' line='6'>\n<Argument type='_2'/>\n"
    "</Constructor>\n<Typedef id='_8' name='T' type='_2' context='_3' file='f0' line='7'/>\n"
    "<Enumeration id='_9' name='E' context='_3' file='f0' line='8'/>\n<PointerType id='_10' "
    "type='_4'/>\n<CvQualifiedType id='_4c' type='_4'/>\n<Variable id='_11' name='s' type='_2' "
    "context='_3' file='f0' line='9' init='&quot;a&amp;&lt;b&gt;&#10;&quot;'/>\n";

// The output with other id numbers ("_4" becomes "_14") and its references to file 0 made
// references to file 1 (the reader takes files by their order, not by their ids).
std::string Renumbered(const std::string& text) {
    return std::regex_replace(std::regex_replace(text, std::regex("'_(\\d)"), "'_1$1"),
                              std::regex("'f(\\d)"), "'f1");
}

// Function helper (without a mangled name, as the front end writes internal linkage) in a
// file, static or not, in a scope.
std::string Helper(const std::string& id, const std::string& file, bool isStatic,
                   const std::string& context = "_1") {
    return "  <Function id='" + id + "' name='helper' returns='_2' context='" + context +
           "' file='" + file + "' line='9'" + (isStatic ? " static='1'" : "") + "/>\n";
}

struct MergeCase {
    const char* Name;
    std::vector<std::string> Outputs;
    // Namespaces, classes, functions, fields, typedefs, enumerations, derived types, files.
    std::vector<int> Expected;
};

} // namespace

class Merge : public ImportTest {
protected:
    // Merges the outputs (written as out0.xml, out1.xml, ...) into merged.xml and loads it.
    bool MergeAndLoad(const std::vector<std::string>& outputs) {
        CGccXmlMerger merger(Dir.Path() + "/merged.xml", Log);
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            std::string name = "out" + std::to_string(i) + ".xml";
            Dir.WriteFile(name, outputs[i]);
            if (!merger.Add(name, Dir.Path()))
                return false;
        }
        return merger.Finish() && Load("merged.xml");
    }
};

class MergeKeys : public Merge, public testing::WithParamInterface<MergeCase> {};

TEST_P(MergeKeys, GiveOneElementPerKey) {
    std::filesystem::create_directories("sub");
    std::filesystem::create_directory_symlink("sub", "link");
    Dir.WriteFile("sub/x.h", "");
    ASSERT_TRUE(MergeAndLoad(GetParam().Outputs));
    CModelCounts c(*Program);
    EXPECT_EQ(GetParam().Expected,
              (std::vector<int>{c.Namespaces, c.Classes, c.Functions, c.Fields, c.Typedefs,
                                c.Enumerations, c.DerivedTypes, c.Files}));
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, MergeKeys,
    testing::Values(
        // The same declarations under other ids and file indexes, the file named otherwise.
        MergeCase{"TheSameInTwoOutputs",
                  {Output({"a.h"}, Geo), Renumbered(Output({"b.cpp", "./sub/../a.h"}, Geo))},
                  {2, 1, 2, 2, 1, 1, 1, 2}},
        // What differs: a file, a line, a mangled name, a constructor's arguments.
        MergeCase{"DifferentDeclarations",
                  {Output({"a.h"}, Geo),
                   Output({"a.h"}, "<Namespace id='_3' name='geo' context='_1'/>\n<Class id='_4' "
                                   "name='A' context='_3' file='f0' line='30'/>\n<Method id='_6' "
                                   "name='f' returns='_2' context='_4' file='f0' line='5' "
                                   "mangled='_ZN3geo1A1fEi'/>\n<Constructor id='_7' name='A' "
                                   "context='_4' file='f0' line='6'/>\n")},
                  {2, 2, 4, 2, 1, 1, 1, 1}},
        MergeCase{"StaticFunctionsOfTwoFilesStayApart",
                  {Output({"a.cpp"}, Helper("_3", "f0", true)),
                   Output({"b.cpp"}, Helper("_3", "f0", true))},
                  {1, 0, 2, 0, 0, 0, 0, 2}},
        MergeCase{"StaticFunctionOfOneHeaderIsOne",
                  {Output({"a.cpp", "h.h"}, Helper("_3", "f1", true)),
                   Output({"b.cpp", "h.h"}, Helper("_3", "f1", true))},
                  {1, 0, 1, 0, 0, 0, 0, 3}},
        MergeCase{"AnonymousNamespacesStayApart",
                  {Output({"h.h"}, "  <Namespace id='_3' context='_1'/>\n" +
                                       Helper("_4", "f0", false, "_3")),
                   Output({"h.h"}, "  <Namespace id='_3' context='_1'/>\n" +
                                       Helper("_4", "f0", false, "_3"))},
                  {3, 0, 2, 0, 0, 0, 0, 1}},
        // Through "..", a link, a relative name, and the compiler's "/../lib/gcc/..." form.
        MergeCase{
            "FilesByNormalisedPath",
            {Output({"sub/x.h", "/usr/include/stdio.h"}, ""),
             Output({"link/x.h", "/../lib/gcc/x86_64-linux-gnu/12/../../../../include/stdio.h"},
                    ""),
             Output({"./sub/../sub/x.h", "&lt;builtin&gt;"}, "")},
            {1, 0, 0, 0, 0, 0, 0, 3}}),
    [](const testing::TestParamInfo<MergeCase>& info) { return info.param.Name; });

// A class that one output only declares and another defines, in either order, is one class:
// the definition, with its members, in the declaration's place in the document.
TEST_F(Merge, DeclarationAndDefinitionAreOneClassWithTheDefinitionsMembers) {
    std::string declaration =
        Output({"fwd.h"}, "  <Class id='_3' name='R' context='_1' file='f0' line='2' "
                          "incomplete='1'/>\n  <Class id='_4' name='After' context='_1' "
                          "file='f0' line='3'/>\n");
    std::string definition =
        Output({"r.h"}, "  <Class id='_5' name='R' context='_1' file='f0' line='7' "
                        "members='_6'/>\n  <Field id='_6' name='x' type='_2' "
                        "context='_5' file='f0' line='8'/>\n");
    for (bool declaredFirst : {true, false}) {
        SCOPED_TRACE(declaredFirst);
        ASSERT_TRUE(declaredFirst ? MergeAndLoad({declaration, definition, declaration})
                                  : MergeAndLoad({definition, declaration}));
        const auto& types = Program->Namespaces.at(0)->Types;
        ASSERT_EQ(2u, types.size());
        const CType* r = types[0].get();
        EXPECT_EQ("R", r->GetName());
        EXPECT_EQ(1u, static_cast<const CClassType*>(r)->Fields.size());
        EXPECT_EQ("r.h", static_cast<const CClassType*>(r)->SourceFile->GetName());
    }
}

// A single output written back gives the model the output itself gives: every element in its
// order, with its attributes (the dump compares names, kinds and the whole layout).
TEST_F(Merge, OfOneOutputGivesTheModelOfTheOutput) {
    for (const char* fixture : {"lambdas", "relations"}) {
        std::string output = std::string(QUARN_BINARY_DIR "/fixtures/") + fixture + ".xml";
        CGccXmlMerger merger("merged.xml", Log);
        ASSERT_TRUE(merger.Add(output, Dir.Path()) && merger.Finish());
        std::string dump = RunCli("dump merged.xml").Out;
        EXPECT_EQ(0u, dump.find("0\tCProgramRect")) << fixture;
        EXPECT_EQ(RunCli("dump " + output).Out, dump) << fixture;
    }
}

// An output that is no front-end document, or whose ids are not those of one, is left out as
// a whole; the others are merged.
TEST_F(Merge, LeavesOutABrokenOutputAsAWhole) {
    CGccXmlMerger merger("merged.xml", Log);
    const std::string names[] = {"good.xml", "bad.xml", "twice.xml", "json.xml", "far.xml"};
    Dir.WriteFile(names[0], Output({"a.h"}, Geo));
    Dir.WriteFile(names[1], Output({"b.h"}, "  <Class id='_3' name='B' file='f0'/>\n  <Bad"));
    Dir.WriteFile(names[2], Output({"c.h"}, Geo + "  <Typedef id='_8' name='U'/>\n"));
    Dir.WriteFile(names[3], "[]");
    Dir.WriteFile(names[4], Output({"d.h"}, "  <Typedef id='_99999' name='U'/>\n"));
    std::vector<bool> added;
    for (const std::string& name : names)
        added.push_back(merger.Add(name, Dir.Path()));
    EXPECT_EQ((std::vector<bool>{true, false, false, false, false}), added);
    ASSERT_TRUE(merger.Finish() && Load("merged.xml"));
    EXPECT_EQ(1, CModelCounts(*Program).Files);
}
