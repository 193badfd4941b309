#include "model/COpaqueType.h"

void COpaqueType::ComputeSize(const CSizing&) {
    Computed = true;
    Size = 0;
    Lines = 1;
}
