#include "scene3d/scene_interpreter.h"

#include "platform/error.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace pw {

namespace {

std::string upper(std::string text)
{
    for (char &c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool has(XmlNode node, const char *attr)
{
    return node.attribute(attr);
}

bool sameText(const std::string &text, const char *word)
{
    return upper(text) == upper(word);
}

} // namespace

// Pops on leaving an element, also when a formula error abandons the drawing.
class SceneInterpreter::PushGuard
{
public:
    PushGuard(SceneInterpreter &owner, bool active)
        : m_owner(owner)
        , m_pushed(active && owner.push())
    {
    }
    void release() { m_pushed = false; }
    ~PushGuard()
    {
        if (m_pushed)
            m_owner.pop();
    }
    PushGuard(const PushGuard &) = delete;
    PushGuard &operator=(const PushGuard &) = delete;

private:
    SceneInterpreter &m_owner;
    bool m_pushed;
};

SceneInterpreter::SceneInterpreter(SceneGl &gl, SceneValues &values, SceneMatrixStack &stack, XmlNode scene,
                                   bool threeD)
    : m_gl(gl)
    , m_values(values)
    , m_stack(stack)
    , m_scene(scene)
    , m_threeD(threeD)
{
}

bool SceneInterpreter::push()
{
    if (m_stack.depth >= SceneMatrixStack::MaxDepth)
        return false;
    m_gl.pushMatrix();
    ++m_stack.depth;
    return true;
}

void SceneInterpreter::step()
{
    if (++m_steps > MaxSteps)
        throw RangeError("Слишком много повторений в сцене: больше " + std::to_string(MaxSteps));
}

void SceneInterpreter::pop()
{
    if (m_stack.depth <= 0)
        return;
    m_gl.popMatrix();
    --m_stack.depth;
}

void SceneInterpreter::DrawChildren()
{
    m_gl.pointSize(3);
    for (XmlNode child : m_scene.children()) {
        if (child.type() != pugi::node_element)
            continue;
        const std::string name = upper(child.name());
        if (has(child, "name") && name != "DEF" && name != "CALC")
            continue;
        Element(child, {0, 0, 0});
    }
}

void SceneInterpreter::applyStyles(XmlNode node)
{
    if (has(node, "flat"))
        m_gl.shadeFlat();
    if (has(node, "size"))
        m_gl.pointSize(m_values.Number(node, "size", 0));
    if (has(node, "smooth") || has(node, "pointsmooth"))
        m_gl.enable(GlCapability::PointSmooth);
    if (has(node, "polymodehow") || has(node, "polymodewhat")) {
        const std::string how = GetAttr(node, "polymodehow");
        const GlFaces faces = sameText(GetAttr(node, "polymodewhat"), "frontandback") ? GlFaces::FrontAndBack
                                                                                      : GlFaces::Front;
        const GlPolygonMode mode = sameText(how, "point") ? GlPolygonMode::Point
            : sameText(how, "line")                       ? GlPolygonMode::Line
                                                          : GlPolygonMode::Fill;
        m_gl.polygonMode(faces, mode);
    }
}

SceneInterpreter::Lists SceneInterpreter::readLists(XmlNode node)
{
    return {m_values.List<3>(node, "T"), m_values.List<3>(node, "R"), m_values.List<6>(node, "F"),
            m_values.List<6>(node, "O")};
}

void SceneInterpreter::applyLists(const Lists &lists)
{
    if (const auto &f = lists.f)
        m_gl.frustum((*f)[0], (*f)[1], (*f)[2], (*f)[3], (*f)[4], (*f)[5]);
    if (const auto &o = lists.o)
        m_gl.ortho((*o)[0], (*o)[1], (*o)[2], (*o)[3], (*o)[4], (*o)[5]);
    if (const auto &t = lists.t)
        m_gl.translate((*t)[0], (*t)[1], (*t)[2]);
    if (const auto &r = lists.r)
        m_gl.rotate((*r)[0], (*r)[1], (*r)[2], 0);
}

void SceneInterpreter::color(XmlNode node)
{
    const std::string text = GetAttr(node, "color");
    if (text.empty())
        return;
    if (text.front() == '#') {
        m_gl.color(1, 1, 1);
        return;
    }
    const auto rgb = m_values.List<3>(node, "color");
    m_gl.color((*rgb)[0], (*rgb)[1], (*rgb)[2]);
}

void SceneInterpreter::vertex(XmlNode node, const char *attr)
{
    const auto v = m_values.List<3>(node, attr).value_or(std::array<double, 3> {});
    if (m_threeD)
        m_gl.vertex(v[0], v[1], v[2]);
    else
        m_gl.vertex(v[0], v[1]);
}

void SceneInterpreter::stipple(XmlNode node)
{
    if (has(node, "stipplemult") && has(node, "stipplemask"))
        m_gl.lineStipple(m_values.Integer(node, "stipplemult", 1),
                         std::uint16_t(m_values.Integer(node, "stipplemask", 1) & 0xFFFF));
}

void SceneInterpreter::forEachChild(XmlNode node, auto &&action)
{
    for (XmlNode child : node.children())
        if (child.type() == pugi::node_element)
            action(child);
}

void SceneInterpreter::Element(XmlNode node, const Offset &offset)
{
    const std::string name = upper(node.name());
    const int count = m_values.Integer(node, "count", 1);
    applyStyles(node);
    const Lists lists = readLists(node);
    const bool setLike = name == "SET" || name == "CALC" || name == "DEF";
    const bool undo = name == "RESTORE" || name == "RESET";
    PushGuard guard(*this, !undo && name != "CALC" && name != "DEF");
    if (setLike)
        guard.release(); // SET keeps its matrix for the following siblings
    if (name == "SET") {
        if (has(node, "li"))
            m_gl.loadIdentity();
        if (const auto p = m_values.List<4>(node, "P"))
            m_gl.perspective((*p)[0], (*p)[1], (*p)[2], (*p)[3]);
        applyLists(lists);
        if (const auto r1 = m_values.List<3>(node, "R1"))
            m_gl.rotate((*r1)[0], (*r1)[1], (*r1)[2], 0);
    } else if (name == "DEF" || name == "CALC") {
        const std::string var = has(node, "name") ? GetAttr(node, "name") : GetAttr(node, "n");
        const std::string formula = has(node, "val") ? GetAttr(node, "val") : GetAttr(node, "v");
        m_values.SetVariable(var, formula, name == "CALC");
    } else if (undo) {
        pop();
    } else {
        draw(name, node, offset, count, lists);
    }
}

void SceneInterpreter::draw(const std::string &name, XmlNode node, const Offset &offset, int count,
                            const Lists &lists)
{
    if (name == "TRIANGLE" || name == "QUAD") {
        const bool triangle = name == "TRIANGLE";
        for (int i = 0; i < count; ++i, step()) {
            applyLists(lists);
            color(node);
            m_gl.begin(triangle ? GlPrimitive::Triangles : GlPrimitive::Quads);
            for (const char *c : {"C1", "C2", "C3", "C4"})
                if (!triangle || std::strcmp(c, "C4") != 0)
                    vertex(node, c);
            m_gl.end();
        }
    } else if (name == "SQUARE") {
        const double half = m_values.Number(node, "size", 0) / 2;
        const auto c = m_values.List<3>(node, "C").value_or(std::array<double, 3> {});
        color(node);
        const double x = c[0] + offset[0], y = c[1] + offset[1];
        m_gl.begin(GlPrimitive::Quads);
        m_gl.vertex(x - half, y - half);
        m_gl.vertex(x + half, y - half);
        m_gl.vertex(x + half, y + half);
        m_gl.vertex(x - half, y + half);
        m_gl.end();
    } else if (name == "TRIANGLE_FAN" || name == "TRIANGLEFAN") {
        const int subcount = m_values.Integer(node, "subcount", 1);
        for (int i = 0; i < count; ++i, step()) {
            applyLists(lists);
            color(node);
            m_gl.begin(GlPrimitive::TriangleFan);
            vertex(node, "C1");
            for (int k = 0; k < subcount; ++k, step()) {
                color(node);
                vertex(node, "C2");
                vertex(node, "C3");
            }
            m_gl.end();
        }
    } else if (name == "TRIANGLE_STRIP" || name == "TRIANGLESTRIP" || name == "LINESSTRIP") {
        const bool strip = name != "LINESSTRIP";
        if (!strip)
            stipple(node);
        color(node);
        for (int i = 0; i < count; ++i, step()) {
            m_gl.begin(strip ? GlPrimitive::TriangleStrip : GlPrimitive::LineStrip);
            forEachChild(node, [&](XmlNode child) {
                color(child);
                vertex(child, "C");
            });
            m_gl.end();
        }
    } else if (name == "QUADS" || name == "POINTS") {
        const bool quads = name == "QUADS";
        if (quads)
            color(node);
        for (int i = 0; i < count; ++i, step()) {
            applyLists(lists);
            m_gl.begin(quads ? GlPrimitive::Quads : GlPrimitive::Points);
            forEachChild(node, [&](XmlNode child) {
                color(child);
                if (!quads) {
                    vertex(child, "C");
                    return;
                }
                for (const char *c : {"C1", "C2", "C3", "C4"})
                    vertex(child, c);
            });
            m_gl.end();
        }
    } else if (name == "POINT") {
        m_gl.begin(GlPrimitive::Points);
        for (int i = 0; i < count; ++i, step()) {
            color(node);
            vertex(node, "C");
        }
        m_gl.end();
    } else if (name == "LINES") {
        stipple(node);
        m_gl.lineWidth(m_values.Number(node, "width", 1));
        color(node);
        for (int i = 0; i < count; ++i, step()) {
            applyLists(lists);
            m_gl.begin(GlPrimitive::Lines);
            forEachChild(node, [&](XmlNode child) {
                color(child);
                vertex(child, "from");
                vertex(child, "to");
            });
            m_gl.end();
        }
    } else if (name == "SCISSOR_TEST") {
        m_gl.enable(GlCapability::ScissorTest);
        m_gl.scissor(m_values.Integer(node, "xfrom", 0), m_values.Integer(node, "yfrom", 0),
                     m_values.Integer(node, "xto", 0), m_values.Integer(node, "yto", 0));
    } else if (name == "SPHERE") {
        m_gl.wireSphere(1, 15, 10);
    } else if (name == "CALL") {
        call(node, offset, count, lists);
    }
}

void SceneInterpreter::call(XmlNode node, const Offset &offset, int count, const Lists &lists)
{
    const auto c = m_values.List<3>(node, "C").value_or(std::array<double, 3> {});
    const Offset moved {c[0] + offset[0], c[1] + offset[1], c[2] + offset[2]};
    const std::string label = GetAttr(node, "l");
    XmlNode target;
    for (XmlNode child : m_scene.children())
        if (child.type() == pugi::node_element && GetAttr(child, "name") == label && has(child, "name")) {
            target = child;
            break;
        }
    // No such element, a loop back into a running CALL, or a chain too deep: nothing to draw.
    if (!target || label.empty() || int(m_calls.size()) >= MaxCallDepth
        || std::find(m_calls.begin(), m_calls.end(), target) != m_calls.end())
        return;
    m_calls.push_back(target);
    struct Leave
    {
        std::vector<XmlNode> &calls;
        ~Leave() { calls.pop_back(); }
    } leave {m_calls};
    for (int i = 0; i < count; ++i, step()) {
        applyLists(lists);
        Element(target, moved);
    }
}

} // namespace pw
