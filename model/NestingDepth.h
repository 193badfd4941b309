#pragma once

class CProgram;

// How deep the walks over a linked, not yet sized program go, counted in namespaces and
// classes (the program itself not counted): the larger of
//  - the deepest nesting of scopes (namespaces and classes inside one another), which the
//    layout, the search and the destruction of the model follow, and
//  - the deepest chain that sizing the program (ComputeSize) goes down at once: besides the
//    nested scopes, the classes that are the types of fields and arguments are sized first.
// Those walks recurse, one level per scope or class, so a reader refuses a program deeper than
// they can safely go. The count is made with an explicit stack and ends for any model.
int NestingDepth(const CProgram& program);
