#include "model/COpaqueType.h"

void COpaqueType::ComputeSize() {
    Computed = true;
    Size = 0;
    Lines = 1;
}
