#pragma once

#include <string>
#include <vector>

class CClassType;
class CField;
class CFunction;
class CNamespace;
class CProgram;
class CProgramElement;
class CSourceFile;
class CType;

// The one-sentence descriptions of the elements that the status bar shows, each ending in a
// line feed, and the pieces they share.

// "The program has <lines> number of lines and its files are <bytes> bytes in size."
std::string DescribeProgram(const CProgram& program);
// "The namespace named <name> contains <n> fields, <n> functions, <n> types and <n>
// namespaces."
std::string DescribeNamespace(const CNamespace& ns);
// "<Kind> named <name> contains <n> fields, <n> functions and <n> types.", followed by " It
// inherits from the following classes: { A, B }." instead of the full stop when it has bases.
std::string DescribeClass(const CClassType& cls);
// "Method <return> <name>(<arguments>) is a member of the <Kind> <class> in its <access>
// interface, has <n> lines of code." for members, else "Function <return> <name>(<arguments>)
// has <n> lines of code."
std::string DescribeFunction(const CFunction& function);
// "Field <name> is a member of the <Kind> <class> in its <access> interface, is of type <type>
// with size <n>." for members, else "Variable <name> is of type <type> with size <n>."
std::string DescribeField(const CField& field);
// "Type <name> of size <n>. " (with a blank before the line feed).
std::string DescribeType(const CType& type);
// "File <name> has a size of <n> bytes."
std::string DescribeFile(const CSourceFile& file);

// "public", "private" or "protected" for the access codes 0, 1 and 2; empty for any other.
const char* AccessText(int access);
// The class that declares element: its context when that is a class; null otherwise.
const CClassType* ContextClass(const CProgramElement& element);
// The type's spelled name; empty for a type that did not resolve (null).
std::string TypeName(const CType* type);
// The types' names in order, separated by ", "; empty for an empty list. A type that did not
// resolve is spelled empty.
std::string TypeList(const std::vector<CType*>& types);
