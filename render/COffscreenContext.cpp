#include "render/COffscreenContext.h"

#include "base/StringPrintf.h"
#include "render/GLEntryPoints.h"

#define EGL_NO_X11
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <cstring>

namespace {

std::string EglFailure(const char* call) {
    return StringPrintf("%s failed (EGL error 0x%04x)", call, static_cast<unsigned>(eglGetError()));
}

} // namespace

COffscreenContext::~COffscreenContext() {
    Destroy();
}

bool COffscreenContext::Create(int width, int height) {
    Destroy();
    Error.clear();
    if (width <= 0 || height <= 0)
        return Fail(StringPrintf("invalid framebuffer size %d x %d", width, height));

    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (clientExtensions == nullptr ||
        std::strstr(clientExtensions, "EGL_MESA_platform_surfaceless") == nullptr)
        return Fail("EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)");
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr)
        return Fail("EGL has no eglGetPlatformDisplayEXT");
    EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY)
        return Fail(EglFailure("eglGetPlatformDisplayEXT"));
    // The display is the process's one surfaceless display, shared by every context on it.
    // It stays initialised until the process ends: terminating it unloads the driver, and
    // the next context would pay for the driver's start-up again.
    if (!eglInitialize(display, nullptr, nullptr))
        return Fail(EglFailure("eglInitialize"));
    Display = display;

    if (!eglBindAPI(EGL_OPENGL_API))
        return Fail(EglFailure("eglBindAPI(EGL_OPENGL_API)"));
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    Context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (Context == EGL_NO_CONTEXT)
        return Fail(EglFailure("eglCreateContext (OpenGL compatibility profile)"));
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, Context))
        return Fail(EglFailure("eglMakeCurrent (surfaceless)"));

    auto genFramebuffers = LookupGLFunction<PFNGLGENFRAMEBUFFERSPROC>(Lookup, "glGenFramebuffers");
    auto bindFramebuffer = LookupGLFunction<PFNGLBINDFRAMEBUFFERPROC>(Lookup, "glBindFramebuffer");
    auto genRenderbuffers =
        LookupGLFunction<PFNGLGENRENDERBUFFERSPROC>(Lookup, "glGenRenderbuffers");
    auto bindRenderbuffer =
        LookupGLFunction<PFNGLBINDRENDERBUFFERPROC>(Lookup, "glBindRenderbuffer");
    auto renderbufferStorage =
        LookupGLFunction<PFNGLRENDERBUFFERSTORAGEPROC>(Lookup, "glRenderbufferStorage");
    auto framebufferRenderbuffer =
        LookupGLFunction<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(Lookup, "glFramebufferRenderbuffer");
    auto checkFramebufferStatus =
        LookupGLFunction<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(Lookup, "glCheckFramebufferStatus");
    if (genFramebuffers == nullptr || bindFramebuffer == nullptr || genRenderbuffers == nullptr ||
        bindRenderbuffer == nullptr || renderbufferStorage == nullptr ||
        framebufferRenderbuffer == nullptr || checkFramebufferStatus == nullptr)
        return Fail("the OpenGL context has no framebuffer objects");

    genFramebuffers(1, &Framebuffer);
    bindFramebuffer(GL_FRAMEBUFFER, Framebuffer);
    genRenderbuffers(2, Renderbuffers);
    const GLenum formats[2] = {GL_RGBA8, GL_DEPTH_COMPONENT24};
    const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_ATTACHMENT};
    for (int i = 0; i < 2; ++i) {
        bindRenderbuffer(GL_RENDERBUFFER, Renderbuffers[i]);
        renderbufferStorage(GL_RENDERBUFFER, formats[i], width, height);
        framebufferRenderbuffer(GL_FRAMEBUFFER, attachments[i], GL_RENDERBUFFER, Renderbuffers[i]);
    }
    const GLenum status = checkFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE)
        return Fail(StringPrintf("framebuffer of %d x %d pixels incomplete (status 0x%04x)", width,
                                 height, status));
    Width = width;
    Height = height;
    glViewport(0, 0, width, height);
    return true;
}

bool COffscreenContext::MakeCurrent() {
    return Context != nullptr &&
           eglMakeCurrent(Display, EGL_NO_SURFACE, EGL_NO_SURFACE, Context) == EGL_TRUE;
}

std::vector<unsigned char> COffscreenContext::ReadPixels() {
    if (!MakeCurrent())
        return {};
    std::vector<unsigned char> pixels(static_cast<size_t>(Width) * Height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void COffscreenContext::Destroy() {
    if (Context != nullptr) {
        if (eglMakeCurrent(Display, EGL_NO_SURFACE, EGL_NO_SURFACE, Context)) {
            auto deleteFramebuffers =
                LookupGLFunction<PFNGLDELETEFRAMEBUFFERSPROC>(Lookup, "glDeleteFramebuffers");
            auto deleteRenderbuffers =
                LookupGLFunction<PFNGLDELETERENDERBUFFERSPROC>(Lookup, "glDeleteRenderbuffers");
            if (deleteFramebuffers != nullptr && Framebuffer != 0)
                deleteFramebuffers(1, &Framebuffer);
            if (deleteRenderbuffers != nullptr && Renderbuffers[0] != 0)
                deleteRenderbuffers(2, Renderbuffers);
            eglMakeCurrent(Display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        }
        eglDestroyContext(Display, Context);
    }
    Display = nullptr;
    Context = nullptr;
    Framebuffer = 0;
    Renderbuffers[0] = Renderbuffers[1] = 0;
    Width = Height = 0;
}

bool COffscreenContext::Fail(const std::string& reason) {
    Error = reason;
    Destroy();
    return false;
}
