#pragma once

#include "scene3d/opengl_scene_gl.h"

#include <QImage>

#include <memory>
#include <string>

namespace pw {

// A scene drawn without a window: an OpenGL context of the Compatibility profile, current on the
// calling thread from creation to destruction, drawing into a framebuffer of a fixed size whose
// picture can be read back. Only one lives at a time on a thread.
class OffscreenScene
{
public:
    virtual ~OffscreenScene() = default;
    OffscreenScene(const OffscreenScene &) = delete;
    OffscreenScene &operator=(const OffscreenScene &) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }
    // What draws, for reports ("4.5 (Compatibility Profile) Mesa … / llvmpipe …").
    virtual std::string description() const = 0;
    // The GL the scene is drawn through.
    SceneGl &gl() { return m_gl; }
    // The framebuffer as drawn so far, top row first, opaque.
    virtual QImage image() = 0;

protected:
    OffscreenScene(int width, int height);
    // A fresh framebuffer is undefined; a scene without a background colour draws onto black.
    static void clearToBlack();

private:
    OpenGlSceneGl m_gl;
    int m_width;
    int m_height;
};

// Sizes an offscreen framebuffer may have on every driver the program meets.
inline constexpr int MaxOffscreenSide = 8192;

// Through the Qt platform's OpenGL (a QGuiApplication must exist; the offscreen platform has OpenGL
// only through GLX on an X display): an offscreen surface, a context and a framebuffer object with
// a depth buffer. Throws Error.
std::unique_ptr<OffscreenScene> CreateQtOffscreenScene(int width, int height);
// Through EGL on Mesa's surfaceless platform, with no display and no Qt platform at all. Throws
// Error.
std::unique_ptr<OffscreenScene> CreateEglOffscreenScene(int width, int height);
// Whether DISPLAY or WAYLAND_DISPLAY names a display a Qt platform can connect to.
bool HasDisplay();
// The Qt one when a QGuiApplication exists and can draw, otherwise the EGL one. Throws Error,
// telling how to run under xvfb-run when there is no display.
std::unique_ptr<OffscreenScene> CreateOffscreenScene(int width, int height);

} // namespace pw
