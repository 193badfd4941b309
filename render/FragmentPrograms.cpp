#include "render/FragmentPrograms.h"

namespace {

// Shared by all three programs: the surface normal at the fragment and the cosine between it
// and the light direction.
const char CommonPart[] = "!!ARBfp1.0\n"
                          "OPTION ARB_precision_hint_nicest;\n"
                          "ATTRIB E0 = fragment.texcoord[1];\n"
                          "ATTRIB E1 = fragment.texcoord[2];\n"
                          "PARAM E2 = program.env[2];\n"
                          "PARAM E3 = program.env[3];\n"
                          "TEMP position, N, d, r, c, lit;\n"
                          "# u = 2s - 1, v = 2t - 1\n"
                          "MAD position, fragment.texcoord[0], 2.0, -1.0;\n"
                          "# N = (E0.x u + E1.x, E0.y v + E1.y, 1)\n"
                          "MAD N.xy, E0, position, E1;\n"
                          "MOV N.z, 1.0;\n"
                          "# d = N . E3\n"
                          "DP3 d, N, E3;\n"
                          "# r = 1 / sqrt(N . N)\n"
                          "DP3 r, N, N;\n"
                          "RSQ r, r.x;\n"
                          "# c = r d, the cosine between the normal and the light\n"
                          "MUL c, r, d;\n";

const char NormalPart[] = "PARAM glowPower = 0.85;\n"
                          "TEMP L, F, G;\n"
                          "# L = max(0, c) E2.y + E2.x\n"
                          "MAX L, c, 0.0;\n"
                          "MAD L, L, E2.y, E2.x;\n"
                          "# F = L Col\n"
                          "MUL F, L, fragment.color;\n"
                          "# G = F to the power 0.85\n"
                          "POW G.x, F.x, glowPower.x;\n"
                          "POW G.y, F.y, glowPower.x;\n"
                          "POW G.z, F.z, glowPower.x;\n"
                          "# F + E2.w G\n"
                          "MAD lit.xyz, E2.w, G, F;\n";

const char SpecularPart[] = "TEMP L, S;\n"
                            "# L = max(0, c) E2.y + E2.x\n"
                            "MAX L, c, 0.0;\n"
                            "MAD L, L, E2.y, E2.x;\n"
                            "# S = max(0, c to the fourth) E2.w\n"
                            "MUL S, c, c;\n"
                            "MUL S, S, S;\n"
                            "MAX S, S, 0.0;\n"
                            "MUL S, S, E2.w;\n"
                            "# (L + S) E2.z Col\n"
                            "ADD L, L, S;\n"
                            "MUL L, L, E2.z;\n"
                            "MUL lit.xyz, L, fragment.color;\n";

const char DebugPart[] = "# the unit normal N r\n"
                         "MUL lit.xyz, N, r;\n";

// Shared by all three programs: the lit colour where E1.z is 1, the fragment colour where it
// is 0 (a selection, not a blend, so that neither colour is rounded).
const char EndPart[] = "CMP result.color.xyz, -E1.z, lit, fragment.color;\n"
                       "MOV result.color.w, 1.0;\n"
                       "END\n";

} // namespace

const std::string& FragmentProgramText(EFragmentProgram program) {
    static const std::string texts[FragmentProgramCount] = {
        std::string(CommonPart) + NormalPart + EndPart,
        std::string(CommonPart) + SpecularPart + EndPart,
        std::string(CommonPart) + DebugPart + EndPart};
    return texts[program];
}
