#pragma once

#include "model/CProgramElement.h"

class CProgram;

// A source file of the analysed program, measured by its size on disk.
class CSourceFile : public CProgramElement {
public:
    CSourceFile(std::string name, CProgram* program)
        : CProgramElement(std::move(name)), Program(program) {}

    // The program.
    ISquarable* GetParent() const override;
    // Once: Size and Lines become the file's size in bytes, 0 when it cannot be read.
    void ComputeSize(const CSizing& sizing) override;

    CProgram* Program; // borrowed: the program owns the file
};
