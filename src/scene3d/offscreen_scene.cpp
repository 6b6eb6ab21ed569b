#include "scene3d/offscreen_scene.h"

#include "platform/error.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <GL/gl.h>

#include <cstdlib>
#include <string>

namespace pw {

OffscreenScene::OffscreenScene(int width, int height)
    : m_width(width)
    , m_height(height)
{
    if (width < 1 || height < 1 || width > MaxOffscreenSide || height > MaxOffscreenSide)
        throw Error("An offscreen scene of " + std::to_string(width) + " x " + std::to_string(height)
                    + " pixels is not possible: each side must be 1 to " + std::to_string(MaxOffscreenSide));
}

void OffscreenScene::clearToBlack()
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Back to OpenGL's default, as a scene attached to a fresh context expects.
    glClearColor(0, 0, 0, 0);
}

namespace {

std::string glText(GLenum name)
{
    const auto *text = reinterpret_cast<const char *>(glGetString(name));
    return text ? text : "?";
}

class QtOffscreenScene : public OffscreenScene
{
public:
    QtOffscreenScene(int width, int height)
        : OffscreenScene(width, height)
    {
        if (!QGuiApplication::instance())
            throw Error("Qt cannot draw a scene offscreen before the GUI application exists");
        QSurfaceFormat format;
        format.setRenderableType(QSurfaceFormat::OpenGL);
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        format.setRedBufferSize(8);
        format.setGreenBufferSize(8);
        format.setBlueBufferSize(8);
        format.setAlphaBufferSize(8);
        format.setDepthBufferSize(24);
        m_surface.setFormat(format);
        m_surface.create();
        m_context.setFormat(format);
        const QString platform = QGuiApplication::platformName();
        if (!m_surface.isValid() || !m_context.create())
            throw Error("Qt cannot create an OpenGL context on the platform \"" + platform.toStdString()
                        + "\"");
        if (!m_context.makeCurrent(&m_surface))
            throw Error("Qt cannot make its OpenGL context current on the platform \""
                        + platform.toStdString() + "\"");
        // The scenes draw with glBegin and the matrix stack: neither exists in OpenGL ES or a core
        // profile.
        if (m_context.isOpenGLES() || m_context.format().profile() == QSurfaceFormat::CoreProfile) {
            m_context.doneCurrent();
            throw Error("The OpenGL context Qt created on the platform \"" + platform.toStdString()
                        + "\" has no fixed-function drawing");
        }
        m_fbo = std::make_unique<QOpenGLFramebufferObject>(width, height, QOpenGLFramebufferObject::Depth);
        if (!m_fbo->isValid() || !m_fbo->bind()) {
            m_fbo.reset();
            m_context.doneCurrent();
            throw Error("Qt cannot create an OpenGL framebuffer of " + std::to_string(width) + " x "
                        + std::to_string(height) + " pixels");
        }
        clearToBlack();
    }

    ~QtOffscreenScene() override
    {
        // The framebuffer belongs to the context and goes with it current.
        m_context.makeCurrent(&m_surface);
        m_fbo.reset();
        m_context.doneCurrent();
    }

    std::string description() const override
    {
        return glText(GL_VERSION) + " / " + glText(GL_RENDERER) + " (Qt, "
            + QGuiApplication::platformName().toStdString() + ")";
    }

    QImage image() override { return m_fbo->toImage().convertToFormat(QImage::Format_RGB32); }

private:
    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
};

} // namespace

bool HasDisplay()
{
    const auto set = [](const char *name) {
        const char *value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

std::unique_ptr<OffscreenScene> CreateQtOffscreenScene(int width, int height)
{
    return std::make_unique<QtOffscreenScene>(width, height);
}

std::unique_ptr<OffscreenScene> CreateOffscreenScene(int width, int height)
{
    std::string qtFailure;
    if (QGuiApplication::instance()) {
        try {
            return CreateQtOffscreenScene(width, height);
        } catch (const Error &e) {
            qtFailure = std::string(e.what()) + "; ";
        }
    }
    try {
        return CreateEglOffscreenScene(width, height);
    } catch (const Error &e) {
        std::string message = "Cannot draw the scene: " + qtFailure + e.what();
        if (!HasDisplay())
            message += ". There is no display (neither DISPLAY nor WAYLAND_DISPLAY is set): run the "
                       "command under xvfb-run, e.g. xvfb-run -a partwriter-cli scene …";
        throw Error(message);
    }
}

} // namespace pw
