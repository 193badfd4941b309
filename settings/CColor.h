#pragma once

// One colour of the looks table: red, green, blue and alpha, each nominally 0 to 1.
struct CColor {
    float Red;
    float Green;
    float Blue;
    float Alpha;
};
