#pragma once

#include "document/xml_access.h"
#include "scene3d/scene_gl.h"
#include "scene3d/scene_values.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace pw {

// The matrices a scene has pushed and not yet popped. SET pushes without popping, so the count
// lasts from drawing to drawing; it keeps a scene from overflowing or underflowing the stack.
struct SceneMatrixStack
{
    // OpenGL guarantees 32 model-view matrices.
    static constexpr int MaxDepth = 32;
    int depth = 0;
};

// One drawing's walk over the elements of a scene: each element's styles, transformations and
// primitives, with CALL reaching the scene's named elements.
class SceneInterpreter
{
public:
    // A CALL chain deeper than this is cut: only a loop of CALLs gets there.
    static constexpr int MaxCallDepth = 16;
    // Repetitions one drawing may make, counts of CALLed elements multiplied; a huge count stops
    // the drawing with an error instead of hanging the program.
    static constexpr long MaxSteps = 1'000'000;

    using Offset = std::array<double, 3>;

    SceneInterpreter(SceneGl &gl, SceneValues &values, SceneMatrixStack &stack, XmlNode scene, bool threeD);

    // The scene's children in order, named ones only when they are DEF or CALC. Formula errors
    // escape; the matrices this drawing pushed for its elements are popped first.
    void DrawChildren();
    void Element(XmlNode node, const Offset &offset);

private:
    class PushGuard;

    void step();
    bool push();
    void pop();
    void applyStyles(XmlNode node);
    struct Lists
    {
        std::optional<std::array<double, 3>> t, r;
        std::optional<std::array<double, 6>> f, o;
    };

    Lists readLists(XmlNode node);
    void applyLists(const Lists &lists);
    void color(XmlNode node);
    void vertex(XmlNode node, const char *attr);
    void stipple(XmlNode node);
    void forEachChild(XmlNode node, auto &&action);
    void call(XmlNode node, const Offset &offset, int count, const Lists &lists);
    void draw(const std::string &name, XmlNode node, const Offset &offset, int count, const Lists &lists);

    SceneGl &m_gl;
    SceneValues &m_values;
    SceneMatrixStack &m_stack;
    XmlNode m_scene;
    bool m_threeD;
    // The CALL targets being run, to skip one reached again.
    std::vector<XmlNode> m_calls;
    long m_steps = 0;
};

} // namespace pw
