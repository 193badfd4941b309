#include "render/CVertexBuffer.h"

#include <cstddef>

namespace {

// The offset of a member as the pointer argument of the array calls.
const void* At(std::size_t offset) {
    return reinterpret_cast<const void*>(offset);
}

} // namespace

CVertexBuffer::~CVertexBuffer() {
    if (Buffer != 0)
        GL.DeleteBuffers(1, &Buffer);
}

void CVertexBuffer::Upload(const std::vector<CCushionVertex>& vertices) {
    if (Buffer == 0)
        GL.GenBuffers(1, &Buffer);
    GL.BindBuffer(GL_ARRAY_BUFFER, Buffer);
    GL.BufferData(GL_ARRAY_BUFFER,
                  static_cast<GLsizeiptr>(vertices.size() * sizeof(CCushionVertex)),
                  vertices.empty() ? nullptr : vertices.data(), GL_STATIC_DRAW);
    GL.BindBuffer(GL_ARRAY_BUFFER, 0);
    Count = static_cast<int>(vertices.size());
}

void CVertexBuffer::Draw() const {
    if (Count == 0)
        return;
    const GLsizei stride = sizeof(CCushionVertex);
    GL.BindBuffer(GL_ARRAY_BUFFER, Buffer);
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
    glDrawArrays(GL_TRIANGLES, 0, Count);
    for (int unit = 2; unit >= 0; --unit) {
        GL.ClientActiveTexture(GL_TEXTURE0 + unit);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    GL.BindBuffer(GL_ARRAY_BUFFER, 0);
}
