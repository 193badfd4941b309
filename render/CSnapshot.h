#pragma once

#include "render/GLEntryPoints.h"

#include <vector>

// A saved image of the framebuffer being drawn, kept by the GL in a framebuffer object of its
// own and copied in and out with blits, so that a repaint restores the tree without drawing it.
class CSnapshot {
public:
    // gl: the framebuffer entry points. Makes no GL call yet.
    explicit CSnapshot(const CGLFunctions& gl) : GL(gl) {}
    // Deletes the framebuffer object: the context it was made in must be current.
    ~CSnapshot();
    CSnapshot(const CSnapshot&) = delete;
    CSnapshot& operator=(const CSnapshot&) = delete;

    // Copies the lower-left width by height pixels of the framebuffer being drawn (the back
    // buffer, or the bound framebuffer object); nothing is kept for an empty size. The storage
    // is kept while images fit in it, and grows in steps of Step pixels, so that resizing a
    // window does not allocate it anew at every size.
    void Save(int width, int height);
    // Copies the saved image back to where it was taken from; false (nothing drawn) when no
    // image of width by height pixels is saved.
    bool Restore(int width, int height) const;
    // The saved image, RGBA, rows from the bottom up; empty when there is none.
    std::vector<unsigned char> Read() const;

private:
    // The read and draw framebuffer bindings in force.
    static void Bindings(GLint& read, GLint& draw);
    // Copies width by height pixels between the framebuffers read and draw.
    void Blit(GLint read, GLint draw, int width, int height) const;
    void Delete();

    static constexpr int Step = 256;

    CGLFunctions GL;
    GLuint Framebuffer = 0;
    GLuint Colour = 0; // the renderbuffer holding the image in its lower-left corner
    int Width = 0;     // the saved image's size
    int Height = 0;
    int StorageWidth = 0; // the renderbuffer's size
    int StorageHeight = 0;
};
