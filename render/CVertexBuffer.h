#pragma once

#include "render/GLEntryPoints.h"

#include <vector>

// One vertex of the cushion triangles: the view position and depth, texture coordinates 0 (the view
// position mapped from -1 ... 1 to 0 ... 1), the cushion surface of its rectangle as texture
// coordinates 1 and 2 (what the fragment programs read as E0 and E1; Lit is 1 for a cushion the
// program lights and 0 for a frame that keeps its colour) and the colour.
struct CCushionVertex {
    float X, Y, Z;
    float S, T;
    float ScaleX, ScaleY;
    float OffsetX, OffsetY, Lit;
    float Red, Green, Blue, Alpha;
};

// Triangles to draw: their corners, three indices into Vertices each.
struct CCushionMesh {
    std::vector<CCushionVertex> Vertices;
    std::vector<GLuint> Indices;

    void Clear() {
        Vertices.clear();
        Indices.clear();
    }
};

// GL buffer objects of cushion vertices and their indices, drawn as independent triangles.
class CVertexBuffer {
public:
    // gl: the buffer and texture-unit entry points. Makes no GL call yet.
    explicit CVertexBuffer(const CGLFunctions& gl) : GL(gl) {}
    // Deletes the buffer object: the context it was made in must be current.
    ~CVertexBuffer();
    CVertexBuffer(CVertexBuffer&& other) noexcept
        : GL(other.GL), Buffers{other.Buffers[0], other.Buffers[1]}, Count(other.Count) {
        other.Buffers[0] = other.Buffers[1] = 0;
    }
    CVertexBuffer(const CVertexBuffer&) = delete;
    CVertexBuffer& operator=(const CVertexBuffer&) = delete;

    // Replaces the buffers' contents with the mesh.
    void Upload(const CCushionMesh& mesh);
    // Draws the triangles; leaves no buffer bound and no array enabled.
    void Draw() const;
    // The number of indices uploaded last (three per triangle).
    int GetCount() const { return Count; }

private:
    CGLFunctions GL;
    GLuint Buffers[2] = {0, 0}; // vertices and indices; 0 until the first upload
    int Count = 0;
};
