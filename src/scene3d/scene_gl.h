#pragma once

#include <cstdint>

namespace pw {

enum class GlMatrixMode { ModelView, Projection };

enum class GlPrimitive { Points, Lines, LineStrip, Triangles, TriangleFan, TriangleStrip, Quads };

enum class GlFaces { Front, FrontAndBack };

enum class GlPolygonMode { Point, Line, Fill };

// The switches a scene turns on; line stippling is set but, as the scenes were written for, never
// turned on.
enum class GlCapability { PointSmooth, ScissorTest };

// The few fixed-function OpenGL 1.1 and GLU calls a scene is drawn with, so that the interpreter
// can be run against real OpenGL or against a recorder in tests.
class SceneGl
{
public:
    virtual ~SceneGl() = default;

    virtual void matrixMode(GlMatrixMode mode) = 0;
    virtual void loadIdentity() = 0;
    virtual void pushMatrix() = 0;
    virtual void popMatrix() = 0;
    virtual void translate(double x, double y, double z) = 0;
    virtual void rotate(double angle, double x, double y, double z) = 0;
    virtual void scale(double x, double y, double z) = 0;
    virtual void frustum(double left, double right, double bottom, double top, double zNear, double zFar) = 0;
    virtual void ortho(double left, double right, double bottom, double top, double zNear, double zFar) = 0;
    // gluPerspective.
    virtual void perspective(double fovy, double aspect, double zNear, double zFar) = 0;

    virtual void begin(GlPrimitive primitive) = 0;
    virtual void end() = 0;
    virtual void vertex(double x, double y) = 0;
    virtual void vertex(double x, double y, double z) = 0;
    virtual void color(double r, double g, double b) = 0;

    virtual void pointSize(double size) = 0;
    virtual void lineWidth(double width) = 0;
    virtual void lineStipple(int factor, std::uint16_t pattern) = 0;
    virtual void polygonMode(GlFaces faces, GlPolygonMode mode) = 0;
    virtual void shadeFlat() = 0;
    virtual void shadeSmooth() = 0;
    virtual void enable(GlCapability capability) = 0;
    virtual void disable(GlCapability capability) = 0;
    virtual void scissor(int x, int y, int width, int height) = 0;

    // A GLU quadric drawn as lines around the current origin.
    virtual void wireSphere(double radius, int slices, int stacks) = 0;

    virtual void viewport(int x, int y, int width, int height) = 0;
    virtual void clearColor(double r, double g, double b, double a) = 0;
    // Clears the colour buffer only: the scenes draw without a depth test.
    virtual void clear() = 0;
};

} // namespace pw
