#pragma once

#include <string>

// The three ARB fragment programs that light the cushions, as program texts in the
// extension's assembly language. They read the fragment colour, texture coordinate set 0 (the
// view position mapped to 0..1), the cushion surface of the fragment's rectangle from
// texture coordinate sets 1 and 2, and the environment parameters 2 and 3:
//   E0 = texture coordinates 1 = (gradient scale x, gradient scale y, ...)
//   E1 = texture coordinates 2 = (gradient offset x, gradient offset y, lit, ...)
//   E2 = (ambient term, light factor, brightness, highlight weight)
//   E3 = light direction (unit length, fourth component 0)
// A fragment whose lit coordinate is 1 gets the lit colour; one whose lit coordinate is 0 keeps
// its colour as it is (a frame, drawn in the same batch as the cushions). Each writes alpha 1.

// Index of each program in a surface's program names.
enum EFragmentProgram { NormalProgram = 0, SpecularProgram = 1, DebugProgram = 2 };
constexpr int FragmentProgramCount = 3;

// The text of one program: the diffuse light times the colour, plus a glow for highlights
// (normal); diffuse plus a highlight term, scaled by the brightness (specular); the unit
// surface normal as a colour (debug).
const std::string& FragmentProgramText(EFragmentProgram program);
