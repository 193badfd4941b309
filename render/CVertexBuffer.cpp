#include "render/CVertexBuffer.h"

#include <cstddef>

namespace {

// The offset of a member as the pointer argument of the array calls.
const void* At(std::size_t offset) {
    return reinterpret_cast<const void*>(offset);
}

} // namespace

CVertexBuffer::~CVertexBuffer() {
    if (Buffers[0] != 0)
        GL.DeleteBuffers(2, Buffers);
}

void CVertexBuffer::Upload(const CCushionMesh& mesh) {
    if (Buffers[0] == 0)
        GL.GenBuffers(2, Buffers);
    const GLenum targets[2] = {GL_ARRAY_BUFFER, GL_ELEMENT_ARRAY_BUFFER};
    const std::size_t sizes[2] = {mesh.Vertices.size() * sizeof(CCushionVertex),
                                  mesh.Indices.size() * sizeof(GLuint)};
    const void* data[2] = {mesh.Vertices.data(), mesh.Indices.data()};
    for (int i = 0; i < 2; ++i) {
        GL.BindBuffer(targets[i], Buffers[i]);
        GL.BufferData(targets[i], static_cast<GLsizeiptr>(sizes[i]),
                      sizes[i] != 0 ? data[i] : nullptr, GL_STATIC_DRAW);
        GL.BindBuffer(targets[i], 0);
    }
    Count = static_cast<int>(mesh.Indices.size());
}

void CVertexBuffer::Draw() const {
    if (Count == 0)
        return;
    const GLsizei stride = sizeof(CCushionVertex);
    GL.BindBuffer(GL_ARRAY_BUFFER, Buffers[0]);
    GL.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, Buffers[1]);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, At(offsetof(CCushionVertex, X)));
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_FLOAT, stride, At(offsetof(CCushionVertex, Red)));
    const struct {
        int Size;
        std::size_t Offset;
    } coordinates[3] = {{2, offsetof(CCushionVertex, S)},
                        {2, offsetof(CCushionVertex, ScaleX)},
                        {3, offsetof(CCushionVertex, OffsetX)}};
    for (int unit = 0; unit < 3; ++unit) {
        GL.ClientActiveTexture(GL_TEXTURE0 + unit);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(coordinates[unit].Size, GL_FLOAT, stride, At(coordinates[unit].Offset));
    }
    glDrawElements(GL_TRIANGLES, Count, GL_UNSIGNED_INT, nullptr);
    for (int unit = 2; unit >= 0; --unit) {
        GL.ClientActiveTexture(GL_TEXTURE0 + unit);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    GL.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    GL.BindBuffer(GL_ARRAY_BUFFER, 0);
}
