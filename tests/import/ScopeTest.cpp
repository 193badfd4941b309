// The project's own code in front: which files a project holds, and a model limited to them
// that still resolves what it refers to.
#include "base/CLogFile.h"
#include "import/CProjectDirectories.h"
#include "import/RunCommand.h"
#include "layout/CFixedViewUnits.h"
#include "layout/CRectArea.h"
#include "model/CClassType.h"
#include "model/CFunction.h"
#include "model/CModelCounts.h"
#include "model/CNamespace.h"
#include "model/CProgram.h"
#include "model/CSourceFile.h"
#include "model/Descriptions.h"
#include "support/CRecordingMessageBox.h"
#include "support/CTempDir.h"
#include "view/CElementFilter.h"
#include "view/CWorkspace.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Elements named name that a search of the shown model finds.
std::vector<ISquarable*> Found(CProgram& program, const std::string& name) {
    CElementFilter filter;
    filter.AddNameCriterion()->Name = name;
    filter.SearchProgram(&program);
    return filter.Results;
}

// The scope a project file's settings ask for, the scope a load asks for, and whether the
// model then holds the project's own declarations alone.
struct CScopeCase {
    const char* Settings;
    EScope Scope;
    bool ProjectOnly;
};

} // namespace

// A project file in p/ whose source, src/app.cpp, includes a header of an -I directory, one of
// an -iquote directory, one of an -isystem directory and one beside src/ (srcx/, outside the
// project). Its front end is CastXML, run by the project's runner, which counts its runs.
class ScopeTest : public testing::TestWithParam<CScopeCase> {
protected:
    ScopeTest() {
        Workspace.Log.Open("log.txt");
        for (const char* dir : {"p", "src", "inc", "q", "sys", "srcx"})
            std::filesystem::create_directory(dir);
        Dir.WriteFile("inc/util.h", "namespace app { typedef int Id; }\n");
        Dir.WriteFile("q/mode.h", "namespace app { enum Mode { Fast }; }\n");
        Dir.WriteFile("sys/sysx.h",
                      "namespace sys { struct Base { int What(); }; struct Str {}; }\n"
                      "namespace app { extern int Global; namespace detail {\n"
                      "int Step(); } }\n");
        Dir.WriteFile("srcx/x.h", "namespace app { int Helper(); struct Near {}; }\n");
        Dir.WriteFile("src/app.cpp", "#include \"../srcx/x.h\"\n#include \"mode.h\"\n"
                                     "#include <sysx.h>\n#include <util.h>\n"
                                     "namespace app { struct Error : sys::Base {\n"
                                     "    int Say(sys::Str text);\n    int Code;\n}; }\n");
        Workspace.Runner = [this](const std::string&, const std::vector<std::string>& arguments) {
            std::vector<std::string> castxml{"--castxml-gccxml", "-o", arguments[0].substr(6)};
            castxml.insert(castxml.end(), arguments.begin() + 1, arguments.end());
            return RunCommand("castxml", castxml);
        };
        Dir.WriteFile("p/project.xml", std::string("<project><settings gccxml_path=\"castxml\" "
                                                   "output_file=\"out.xml\"") +
                                           GetParam().Settings +
                                           "/><options><i arg=\"-Isrc/../inc\"/>"
                                           "<q arg=\"-iquote\"/><q arg=\"q\"/>"
                                           "<s arg=\"-isystem\"/><s arg=\"sys\"/>"
                                           "<f arg=\"src/app.cpp\"/></options></project>");
    }

    CTempDir Dir;
    CRecordingMessageBox Box;
    CWorkspace Workspace{Box};
};

// The project's own declarations alone: those of the files under the project file's
// directory, the source's and the -I and -iquote directories; the namespaces left empty and
// the other files go too. What is shown still resolves what it refers to, and search and
// layout see only what is shown. Everything otherwise, as the front-end output read directly.
TEST_P(ScopeTest, ShowsTheProjectsOwnDeclarationsWhenAskedFor) {
    CLoadRequest request;
    request.Scope = GetParam().Scope;
    std::unique_ptr<CProgram> program = Workspace.Load("p/project.xml", nullptr, request);
    EXPECT_TRUE(Workspace.HasProject);
    ASSERT_EQ(GetParam().ProjectOnly, Workspace.ProjectOnly);
    const CModelCounts counts(*program);
    if (!GetParam().ProjectOnly) {
        const CModelCounts direct(*Workspace.Load("out.xml", nullptr));
        EXPECT_FALSE(Workspace.HasProject); // a front-end file names no project
        EXPECT_EQ(direct.Total(), counts.Total());
        return;
    }
    const int shown[] = {counts.Namespaces, counts.Classes, counts.Fields, counts.Typedefs,
                         counts.Enumerations};
    EXPECT_EQ((std::vector<int>{2, 1, 1, 1, 1}), std::vector<int>(shown, shown + 5));
    std::vector<std::string> files;
    for (const auto& file : program->SourceFiles)
        files.push_back(file->Name);
    std::sort(files.begin(), files.end());
    EXPECT_EQ((std::vector<std::string>{"q/mode.h", "src/../inc/util.h", "src/app.cpp"}), files);
    const std::vector<ISquarable*> named = Found(*program, "Error"); // the class first
    auto* error = named.empty() ? nullptr : dynamic_cast<CClassType*>(named[0]);
    ASSERT_NE(nullptr, error);
    ASSERT_EQ(1u, error->Bases.size());
    EXPECT_NE(std::string::npos, DescribeClass(*error).find("{ Base }"));
    // The functions shown are Error's: Say and those the compiler declares.
    EXPECT_EQ(counts.Functions, static_cast<int>(error->Functions.size()));
    const std::vector<ISquarable*> say = Found(*program, "Say");
    ASSERT_EQ(1u, say.size());
    EXPECT_EQ(0u, DescribeFunction(*dynamic_cast<CFunction*>(say[0])).find("Method int Say(Str) "));
    for (const char* hidden :
         {"Base", "Str", "What", "Helper", "Near", "Global", "Step", "sys", "detail"})
        EXPECT_EQ(0u, Found(*program, hidden).size()) << hidden;
    CFixedViewUnits units(800);
    std::unique_ptr<CRectArea> treemap = Workspace.LayOut(*program, units);
    EXPECT_NE(nullptr, treemap->RectOf(error));
    EXPECT_EQ(nullptr, treemap->RectOf(error->Bases[0]));
}

INSTANTIATE_TEST_SUITE_P(Scopes, ScopeTest,
                         testing::Values(CScopeCase{"", EScope::FileDefault, false},
                                         CScopeCase{" scope=\"project\"", EScope::FileDefault,
                                                    true},
                                         CScopeCase{" scope=\"project\"", EScope::All, false},
                                         CScopeCase{"", EScope::Project, true}));

// A directory named through a symbolic link holds the files named through its real path too
// (the front end names some headers by their real paths); the test above covers the rest.
TEST(ProjectDirectories, HoldTheFilesUnderTheirDirectoriesByTheirRealPathsToo) {
    CTempDir dir;
    std::filesystem::create_directories("real/sub");
    std::filesystem::create_directory_symlink("real", "link");
    CProjectDirectories project;
    project.AddDirectory("link/", dir.Path());
    const std::pair<std::string, bool> cases[] = {
        {dir.Path() + "/link/sub/f.h", true},
        {dir.Path() + "/real/sub/f.h", true},
        {dir.Path() + "/realx/f.h", false},
        {dir.Path() + "/link", false}, // the directory itself is no file in it
    };
    for (const auto& [file, inside] : cases)
        EXPECT_EQ(inside, project.Contains(file)) << file;
}
