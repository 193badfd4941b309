#include "render/CSnapshot.h"

#include <algorithm>
#include <cstddef>

CSnapshot::~CSnapshot() {
    Delete();
}

void CSnapshot::Delete() {
    if (Framebuffer != 0) {
        GL.DeleteFramebuffers(1, &Framebuffer);
        GL.DeleteRenderbuffers(1, &Colour);
    }
    Framebuffer = Colour = 0;
    Width = Height = StorageWidth = StorageHeight = 0;
}

void CSnapshot::Bindings(GLint& read, GLint& draw) {
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw);
}

void CSnapshot::Blit(GLint read, GLint draw, int width, int height) const {
    GL.BindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
    GL.BindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(draw));
    GL.BlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

void CSnapshot::Save(int width, int height) {
    if (width <= 0 || height <= 0) {
        Delete();
        return;
    }
    GLint read = 0, draw = 0;
    Bindings(read, draw);
    if (width > StorageWidth || height > StorageHeight) {
        auto grown = [](int size, int storage) {
            return (std::max(size, storage) + Step - 1) / Step * Step;
        };
        const int storageWidth = grown(width, StorageWidth);
        const int storageHeight = grown(height, StorageHeight);
        Delete();
        GL.GenFramebuffers(1, &Framebuffer);
        GL.GenRenderbuffers(1, &Colour);
        GL.BindRenderbuffer(GL_RENDERBUFFER, Colour);
        StorageWidth = storageWidth;
        StorageHeight = storageHeight;
        GL.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, StorageWidth, StorageHeight);
        GL.BindFramebuffer(GL_DRAW_FRAMEBUFFER, Framebuffer);
        GL.FramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                   Colour);
    }
    Width = width;
    Height = height;
    // A window's context draws into its back buffer, which is then read too.
    GLint readBuffer = 0;
    glGetIntegerv(GL_READ_BUFFER, &readBuffer);
    if (draw == 0)
        glReadBuffer(GL_BACK);
    Blit(draw, static_cast<GLint>(Framebuffer), width, height);
    GL.BindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
    GL.BindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(draw));
    if (draw == 0)
        glReadBuffer(static_cast<GLenum>(readBuffer));
}

bool CSnapshot::Restore(int width, int height) const {
    if (Framebuffer == 0 || width != Width || height != Height)
        return false;
    GLint read = 0, draw = 0;
    Bindings(read, draw);
    Blit(static_cast<GLint>(Framebuffer), draw, width, height);
    GL.BindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
    return true;
}

std::vector<unsigned char> CSnapshot::Read() const {
    if (Framebuffer == 0)
        return {};
    std::vector<unsigned char> pixels(static_cast<std::size_t>(Width) * Height * 4);
    GLint read = 0, draw = 0;
    Bindings(read, draw);
    GL.BindFramebuffer(GL_READ_FRAMEBUFFER, Framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    GL.BindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
    return pixels;
}
