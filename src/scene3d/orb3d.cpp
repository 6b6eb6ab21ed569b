#include "scene3d/orb3d.h"

#include "document/xml_file.h"
#include "platform/error.h"
#include "platform/random.h"
#include "platform/ui.h"

namespace pw {

orb3d::orb3d(Ui &ui, Random &random)
    : m_ui(ui)
    , m_random(random)
    , m_values(ui, random)
{
}

bool orb3d::LoadScenes(const std::filesystem::path &file)
{
    return loaded(LoadXmlFile(m_doc, file));
}

bool orb3d::LoadScenesText(const std::string &xml)
{
    return loaded(LoadXmlText(m_doc, xml));
}

bool orb3d::loaded(bool ok)
{
    m_isSet = false;
    m_scenes.clear();
    m_current = 0;
    m_errorShown = false;
    m_stack = {};
    m_values.Reset();
    m_values.SetSize(m_width, m_height);
    m_random.reseedFromClock();
    const XmlNode root = m_doc.document_element();
    if (!ok || !root) {
        m_doc.reset();
        m_ui.message("Ошибка", "Файл не найден");
        return false;
    }
    if (std::string_view(root.name()) == "Scene") {
        m_scenes.push_back(root);
    } else {
        m_isSet = true;
        for (const pugi::xpath_node &scene : SelectNodes(m_doc, "//Scenes/Scene"))
            m_scenes.push_back(scene.node());
    }
    return true;
}

XmlNode orb3d::sceneNode() const
{
    return m_scenes.empty() ? XmlNode() : m_scenes[std::size_t(m_current)];
}

void orb3d::SelectScene(int index)
{
    if (!m_isSet || index < 0 || index >= SceneCount() || index == m_current)
        return;
    m_current = index;
    m_errorShown = false;
}

void orb3d::ResizeView(int width, int height)
{
    m_width = width;
    m_height = height;
    m_values.SetSize(width, height);
}

void orb3d::SetSceneVariable(const std::string &name, const std::string &formula, bool force)
{
    m_values.SetVariable(name, formula, force);
}

void orb3d::resetState(SceneGl &gl)
{
    gl.matrixMode(GlMatrixMode::ModelView);
    for (; m_stack.depth > 0; --m_stack.depth)
        gl.popMatrix();
    gl.loadIdentity();
    gl.matrixMode(GlMatrixMode::Projection);
    gl.loadIdentity();
    gl.matrixMode(GlMatrixMode::ModelView);
    gl.shadeSmooth();
    gl.disable(GlCapability::PointSmooth);
    gl.disable(GlCapability::ScissorTest);
    gl.polygonMode(GlFaces::FrontAndBack, GlPolygonMode::Fill);
    gl.lineWidth(1);
    gl.lineStipple(1, 0xFFFF);
    gl.color(1, 1, 1);
}

void orb3d::AttachWindow(SceneGl &gl, int width, int height)
{
    resetState(gl);
    ResizeView(width, height);
    const XmlNode scene = sceneNode();
    if (!scene)
        return;
    try {
        prepareFrame(gl, scene);
    } catch (const Error &e) {
        reportOnce(e);
    }
}

void orb3d::prepareFrame(SceneGl &gl, XmlNode scene)
{
    // Read before anything is applied, so that a faulty colour draws nothing at all.
    const auto background = m_values.List<3>(scene, "color");
    gl.viewport(0, 0, m_width, m_height);
    if (background) {
        gl.clearColor((*background)[0], (*background)[1], (*background)[2], 1);
        gl.clear();
    }
}

bool orb3d::DrawScene(SceneGl &gl)
{
    const XmlNode scene = sceneNode();
    if (!scene)
        return false;
    try {
        prepareFrame(gl, scene);
        SceneInterpreter(gl, m_values, m_stack, scene, bool(scene.attribute("t3d"))).DrawChildren();
        return true;
    } catch (const Error &e) {
        reportOnce(e);
        return false;
    }
}

void orb3d::reportOnce(const Error &e)
{
    if (m_errorShown)
        return;
    m_errorShown = true;
    m_ui.message("Ошибка", "Ошибка в сцене: " + std::string(e.what()));
}

} // namespace pw
