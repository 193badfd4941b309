#pragma once

#include "layout/CElementGroup.h"

class CSourceFile;
class CProgram;

// The source files of the program.
class CFileGroup final : public CElementGroupOf<CSourceFile> {
public:
    CFileGroup(const std::vector<CSourceFile*>* elements, CProgram* owner);

    std::string GetName() const override { return "File group of "; }
};
