#include "model/CSourceFile.h"

#include "model/CProgram.h"

#include <climits>
#include <sys/stat.h>

ISquarable* CSourceFile::GetParent() const {
    return Program;
}

void CSourceFile::ComputeSize(const CSizing&) {
    if (Computed)
        return;
    Computed = true;
    struct stat status;
    if (stat(Name.c_str(), &status) == 0)
        Size = status.st_size > INT_MAX ? INT_MAX : static_cast<int>(status.st_size);
    else
        Size = 0;
    Lines = Size;
}
