#pragma once

#include <functional>

class CProgram;
class CSourceFile;

// Limits a read model to the declarations of some files (a project's own code): every
// namespace or class member (class, function, field, typedef, enumeration) whose file is not
// kept leaves its scope's member list, with everything inside it; the namespaces left holding
// nothing leave too, and so do the files not kept. What leaves goes to the program's Hidden
// list: it stays alive and linked, so that what is shown may still refer to it (a base class,
// the type of an argument or a field), but nothing that walks the model (sizing, layout,
// search, queries, counts) meets it. Member order is kept. kept is asked once per file of the
// program; an element without a file is not kept. Call it after reading, before sizing.
void HideOutside(CProgram& program, const std::function<bool(const CSourceFile&)>& kept);
