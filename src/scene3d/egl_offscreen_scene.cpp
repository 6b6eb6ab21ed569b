#include "scene3d/offscreen_scene.h"

#include "platform/error.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace pw {

namespace {

std::string eglFailure(const std::string &what)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", unsigned(eglGetError()));
    return "EGL cannot " + what + " (error " + code + ")";
}

bool hasExtension(const char *extensions, const char *name)
{
    if (!extensions)
        return false;
    const std::size_t length = std::strlen(name);
    for (const char *at = std::strstr(extensions, name); at; at = std::strstr(at + length, name))
        if ((at == extensions || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0'))
            return true;
    return false;
}

// Mesa's surfaceless display is one per process and eglTerminate ends it for every user: it is
// initialised by the first scene alive and terminated after the last.
int displayUsers = 0;

class EglOffscreenScene : public OffscreenScene
{
public:
    EglOffscreenScene(int width, int height)
        : OffscreenScene(width, height)
    {
        if (!hasExtension(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), "EGL_MESA_platform_surfaceless"))
            throw Error("EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)");
        const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (!getPlatformDisplay)
            throw Error("EGL has no eglGetPlatformDisplayEXT");
        m_display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (m_display == EGL_NO_DISPLAY || !eglInitialize(m_display, nullptr, nullptr))
            throw Error(eglFailure("open the surfaceless display"));
        ++displayUsers;
        try {
            create(width, height);
        } catch (...) {
            release();
            throw;
        }
        clearToBlack();
    }

    ~EglOffscreenScene() override { release(); }

    std::string description() const override
    {
        const auto text = [](GLenum name) {
            const auto *value = reinterpret_cast<const char *>(glGetString(name));
            return std::string(value ? value : "?");
        };
        return text(GL_VERSION) + " / " + text(GL_RENDERER) + " (EGL, surfaceless)";
    }

    QImage image() override
    {
        QImage rows(width(), height(), QImage::Format_RGBA8888);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(0, 0, width(), height(), GL_RGBA, GL_UNSIGNED_BYTE, rows.bits());
        // OpenGL counts rows from the bottom.
        return rows.mirrored().convertToFormat(QImage::Format_RGB32);
    }

private:
    void create(int width, int height)
    {
        if (!eglBindAPI(EGL_OPENGL_API))
            throw Error(eglFailure("draw with desktop OpenGL"));
        const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                           EGL_PBUFFER_BIT,
                                           EGL_RENDERABLE_TYPE,
                                           EGL_OPENGL_BIT,
                                           EGL_RED_SIZE,
                                           8,
                                           EGL_GREEN_SIZE,
                                           8,
                                           EGL_BLUE_SIZE,
                                           8,
                                           EGL_ALPHA_SIZE,
                                           8,
                                           EGL_DEPTH_SIZE,
                                           24,
                                           EGL_NONE};
        EGLConfig config = nullptr;
        EGLint found = 0;
        if (!eglChooseConfig(m_display, configAttributes, &config, 1, &found) || found < 1)
            throw Error(eglFailure("find an OpenGL pixel buffer configuration"));
        // No version asked: the driver gives its newest Compatibility-profile context.
        m_context = eglCreateContext(m_display, config, EGL_NO_CONTEXT, nullptr);
        if (m_context == EGL_NO_CONTEXT)
            throw Error(eglFailure("create an OpenGL context"));
        const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
        m_surface = eglCreatePbufferSurface(m_display, config, surfaceAttributes);
        if (m_surface == EGL_NO_SURFACE)
            throw Error(eglFailure("create a pixel buffer of " + std::to_string(width) + " x "
                                   + std::to_string(height)));
        if (!eglMakeCurrent(m_display, m_surface, m_surface, m_context))
            throw Error(eglFailure("make its OpenGL context current"));
    }

    void release()
    {
        eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (m_surface != EGL_NO_SURFACE)
            eglDestroySurface(m_display, m_surface);
        if (m_context != EGL_NO_CONTEXT)
            eglDestroyContext(m_display, m_context);
        if (--displayUsers == 0) {
            eglTerminate(m_display);
            eglReleaseThread();
        }
    }

    EGLDisplay m_display = EGL_NO_DISPLAY;
    EGLContext m_context = EGL_NO_CONTEXT;
    EGLSurface m_surface = EGL_NO_SURFACE;
};

} // namespace

std::unique_ptr<OffscreenScene> CreateEglOffscreenScene(int width, int height)
{
    return std::make_unique<EglOffscreenScene>(width, height);
}

} // namespace pw
