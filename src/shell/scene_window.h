#pragma once

// The drawing window of a 3D lesson: an OpenGL surface inside the lesson area that owns the
// lesson's scene engine and draws the current view on every paint.

#include "platform/ui.h"
#include "scene3d/opengl_scene_gl.h"
#include "scene3d/orb3d.h"

#include <QOpenGLWidget>
#include <QSurfaceFormat>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace pw {

class Random;

// Holds the messages a drawing raises until the drawing is over: a message box opened from inside
// a paint would run its own event loop and paint the scene again inside itself. Outside a drawing
// messages go straight through.
class DeferredUi : public Ui
{
public:
    explicit DeferredUi(Ui &target)
        : m_target(target)
    {
    }
    UiButton message(const std::string &caption, const std::string &text, UiButtons buttons) override;
    std::optional<std::string> openFileName(const std::string &caption, const std::string &folder,
                                            const std::string &filter) override;
    std::optional<std::string> saveFileName(const std::string &caption, const std::string &proposed,
                                            const std::string &defaultSuffix,
                                            const std::string &filter) override;
    std::optional<std::string> inputText(const std::string &caption, const std::string &prompt,
                                         const std::string &initial) override;
    void SetDrawing(bool drawing) { m_drawing = drawing; }

private:
    Ui &m_target;
    bool m_drawing = false;
};

class Tform3d : public QOpenGLWidget
{
public:
    // The redraws per second that animate a scene.
    static constexpr int FramesPerSecond = 25;

    Tform3d(Ui &ui, Random &random, QWidget *parent);

    // Whether this display gives the window its OpenGL context: without one a GL widget cannot
    // even be shown.
    static bool OpenGlAvailable();
    static QSurfaceFormat SurfaceFormat();

    orb3d &Scenes() { return m_scenes; }
    // Binds the current view to the window anew (after a switch of views) and redraws.
    void Attach();
    // Drawings made so far.
    long Frames() const { return m_frames; }

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // The window's size in device pixels.
    QSize drawingSize() const;

    DeferredUi m_ui;
    orb3d m_scenes;
    OpenGlSceneGl m_gl;
    QTimer m_animation;
    bool m_attachPending = true;
    long m_frames = 0;
};

} // namespace pw
