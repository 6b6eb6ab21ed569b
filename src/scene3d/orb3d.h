#pragma once

#include "document/xml_access.h"
#include "scene3d/scene_gl.h"
#include "scene3d/scene_interpreter.h"
#include "scene3d/scene_values.h"

#include <pugixml.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace pw {

class Error;
class Random;
class Ui;

// The scene engine of a 3D lesson: a scene file (one Scene, or a set under Scenes), the variables
// its formulas share, and the drawing of the current scene through a SceneGl.
class orb3d
{
public:
    orb3d(Ui &ui, Random &random);

    // A file that does not load is reported ("Файл не найден") and leaves no scenes.
    bool LoadScenes(const std::filesystem::path &file);
    bool LoadScenesText(const std::string &xml);

    int SceneCount() const { return int(m_scenes.size()); }
    // The element of the current view; empty when nothing is loaded.
    XmlNode CurrentSceneNode() const { return sceneNode(); }
    int CurrentScene() const { return m_current; }
    // For a set, scene index becomes current when it is one of the set; a single scene stays 0.
    void SelectScene(int index);
    // The drawing area in pixels, also the variables Width and Height.
    void ResizeView(int width, int height);
    // Binds the current scene to a drawing surface of the given size, as a fresh context would
    // be: matrices, the scene's stack and the drawing styles back to OpenGL's defaults, then the
    // frame prepared (cleared when the scene has a background colour).
    void AttachWindow(SceneGl &gl, int width, int height);
    void SetSceneVariable(const std::string &name, const std::string &formula, bool force);
    SceneValues &Values() { return m_values; }

    // Prepares the frame and runs the current scene's elements. A formula that fails abandons the
    // frame (false); it is reported once, and again only after the scene has changed.
    bool DrawScene(SceneGl &gl);

private:
    bool loaded(bool ok);
    XmlNode sceneNode() const;
    void prepareFrame(SceneGl &gl, XmlNode scene);
    void resetState(SceneGl &gl);
    void reportOnce(const Error &e);

    Ui &m_ui;
    Random &m_random;
    pugi::xml_document m_doc;
    SceneValues m_values;
    SceneMatrixStack m_stack;
    // The scene elements, found once at load: a drawing only indexes them.
    std::vector<XmlNode> m_scenes;
    bool m_isSet = false;
    int m_current = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_errorShown = false;
};

} // namespace pw
