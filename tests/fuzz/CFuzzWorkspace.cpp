#include "CFuzzWorkspace.h"

#include "model/CProgram.h"

#include <fstream>

namespace {

// Cut down from the front end's output for a small header.
const char* const SampleDocument = R"(<?xml version="1.0"?>
<GCC_XML>
 <Namespace id="_1" name="::"/>
 <Namespace id="_2" name="shapes" context="_1"/>
 <Struct id="_3" name="Point" context="_2" file="f1" line="2"/>
 <Class id="_4" name="Shape" context="_2" file="f1" line="3"/>
 <Class id="_5" name="Circle" context="_2" file="f1" line="10" bases="_4"/>
 <Enumeration id="_6" name="Color" context="_2" file="f1" line="19"/>
 <Typedef id="_7" name="CirclePtr" type="_8" context="_2" file="f1" line="20"/>
 <PointerType id="_8" type="_5"/>
 <Function id="_9" name="Count" returns="_10" context="_2" file="f1" line="22" endline="30">
  <Argument name="shapes" type="_11"/>
  <Argument name="n" type="_10"/>
 </Function>
 <FundamentalType id="_10" name="int"/>
 <PointerType id="_11" type="_4c"/>
 <CvQualifiedType id="_4c" type="_4"/>
 <Field id="_12" name="x" type="_10" context="_3" access="public" file="f1" line="2"/>
 <Field id="_13" name="origin" type="_3" context="_4" access="protected" file="f1" line="8"/>
 <Method id="_14" name="Area" returns="_15" context="_4" access="public" file="f1" line="6"/>
 <FundamentalType id="_15" name="double"/>
 <Destructor id="_16" name="Shape" context="_4" access="public" file="f1" line="5"/>
 <Constructor id="_17" name="Circle" context="_5" access="public" file="f1" line="12">
  <Argument name="r" type="_15"/>
 </Constructor>
 <Field id="_18" name="radius" type="_15" context="_5" access="private" file="f1" line="17"/>
 <OperatorMethod id="_19" name="=" returns="_20" context="_5" access="public" file="f1" line="15">
  <Argument type="_20"/>
 </OperatorMethod>
 <ReferenceType id="_20" type="_5"/>
 <Variable id="_21" name="Name" type="_11" context="_2" file="f1" line="23"/>
 <File id="f0" name="&lt;builtin&gt;"/>
 <File id="f1" name="sample.xml"/>
</GCC_XML>
)";

} // namespace

CFuzzWorkspace& CFuzzWorkspace::Get() {
    static CFuzzWorkspace workspace;
    return workspace;
}

CFuzzWorkspace::CFuzzWorkspace() {
    Workspace.Log.Open("/dev/null");
    // A project among the inputs starts nothing unless a target says otherwise.
    Workspace.Runner = [](const std::string&, const std::vector<std::string>&) {
        return CommandResult{1, "", ""};
    };
}

CFuzzWorkspace::~CFuzzWorkspace() = default;

void CFuzzWorkspace::WriteFile(const std::string& name, const std::uint8_t* data,
                               std::size_t size) const {
    std::ofstream out(Dir.Path() + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void CFuzzWorkspace::WriteSample(const std::string& name) const {
    Dir.WriteFile(name, SampleDocument);
}

CProgram& CFuzzWorkspace::SampleProgram() {
    if (!Sample) {
        WriteSample("sample.xml");
        Sample = Workspace.Load("sample.xml", nullptr);
    }
    return *Sample;
}
