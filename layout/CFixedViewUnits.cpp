#include "layout/CFixedViewUnits.h"

float CFixedViewUnits::ToViewX(float px) const {
    return ((2 * px / static_cast<float>(Width)) - 1) / Zoom - PanX;
}
