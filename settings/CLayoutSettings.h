#pragma once

// Parameters of the treemap layout. Copied whole wherever it travels.
struct CLayoutSettings {
    bool UseFunctionLength = false;   // functions weigh their lines only
    bool Subdivide = true;            // containers gather members into groups
    bool ContainerBordersOnly = true; // only containers draw a border band
    float BorderWidth = 0.005f;
    float FileAreaFactor = 0.6f;  // share of the program rectangle given to files
    float ArgAreaFactor = 0.3f;   // share of a function rectangle given to arguments
    float ChildAreaFactor = 0.9f; // share of a container given to its children
};
