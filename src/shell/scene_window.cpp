#include "shell/scene_window.h"

#include <QGuiApplication>
#include <QOpenGLContext>

namespace pw {

UiButton DeferredUi::message(const std::string &caption, const std::string &text, UiButtons buttons)
{
    if (!m_drawing)
        return m_target.message(caption, text, buttons);
    QTimer::singleShot(
        0, [&target = m_target, caption, text, buttons] { target.message(caption, text, buttons); });
    return UiButton::Ok;
}

std::optional<std::string> DeferredUi::openFileName(const std::string &caption, const std::string &folder,
                                                    const std::string &filter)
{
    return m_target.openFileName(caption, folder, filter);
}

std::optional<std::string> DeferredUi::saveFileName(const std::string &caption, const std::string &proposed,
                                                    const std::string &defaultSuffix,
                                                    const std::string &filter)
{
    return m_target.saveFileName(caption, proposed, defaultSuffix, filter);
}

std::optional<std::string> DeferredUi::inputText(const std::string &caption, const std::string &prompt,
                                                 const std::string &initial)
{
    return m_target.inputText(caption, prompt, initial);
}

Tform3d::Tform3d(Ui &ui, Random &random, QWidget *parent)
    : QOpenGLWidget(parent)
    , m_ui(ui)
    , m_scenes(m_ui, random)
{
    setObjectName("Tform3d");
    setFormat(SurfaceFormat());
    // A scene without a background colour draws over its earlier drawings.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    setFocusPolicy(Qt::StrongFocus);
    m_animation.setInterval(1000 / FramesPerSecond);
    connect(&m_animation, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

QSurfaceFormat Tform3d::SurfaceFormat()
{
    // Legacy fixed-function drawing needs the Compatibility profile; the depth buffer is there
    // though the scenes never test it.
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    return format;
}

bool Tform3d::OpenGlAvailable()
{
    static const bool available = [] {
        // The offscreen and minimal platforms may make a context (over GLX when an X server is
        // there) but cannot show a GL widget: Qt crashes flushing it.
        const QString platform = QGuiApplication::platformName();
        if (platform == "offscreen" || platform == "minimal")
            return false;
        QOpenGLContext context;
        context.setFormat(SurfaceFormat());
        return context.create();
    }();
    return available;
}

void Tform3d::Attach()
{
    m_attachPending = true;
    update();
}

void Tform3d::initializeGL()
{
    // A new context (the window moved to another screen, say) starts every view afresh.
    m_attachPending = true;
}

QSize Tform3d::drawingSize() const
{
    const qreal ratio = devicePixelRatioF();
    return {int(width() * ratio), int(height() * ratio)};
}

void Tform3d::resizeGL(int, int)
{
    const QSize size = drawingSize();
    m_scenes.ResizeView(size.width(), size.height());
}

void Tform3d::paintGL()
{
    m_ui.SetDrawing(true);
    const struct Done
    {
        DeferredUi &ui;
        ~Done() { ui.SetDrawing(false); }
    } done {m_ui};
    if (m_attachPending) {
        m_attachPending = false;
        const QSize size = drawingSize();
        m_scenes.AttachWindow(m_gl, size.width(), size.height());
        if (isVisible())
            m_animation.start();
    }
    ++m_frames;
    // A view whose formulas fail is told once and not animated again until views change.
    if (!m_scenes.DrawScene(m_gl))
        m_animation.stop();
}

void Tform3d::showEvent(QShowEvent *event)
{
    QOpenGLWidget::showEvent(event);
    m_animation.start();
}

void Tform3d::hideEvent(QHideEvent *event)
{
    m_animation.stop();
    QOpenGLWidget::hideEvent(event);
}

} // namespace pw
