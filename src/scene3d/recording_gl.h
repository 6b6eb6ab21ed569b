#pragma once

#include "scene3d/scene_gl.h"

#include <string>
#include <vector>

namespace pw {

// A SceneGl that draws nothing and keeps every call as one line of text ("translate 1 2 3"),
// numbers written shortest, for tests and for listing what a scene does.
class RecordingGl : public SceneGl
{
public:
    void matrixMode(GlMatrixMode mode) override;
    void loadIdentity() override;
    void pushMatrix() override;
    void popMatrix() override;
    void translate(double x, double y, double z) override;
    void rotate(double angle, double x, double y, double z) override;
    void scale(double x, double y, double z) override;
    void frustum(double left, double right, double bottom, double top, double zNear, double zFar) override;
    void ortho(double left, double right, double bottom, double top, double zNear, double zFar) override;
    void perspective(double fovy, double aspect, double zNear, double zFar) override;
    void begin(GlPrimitive primitive) override;
    void end() override;
    void vertex(double x, double y) override;
    void vertex(double x, double y, double z) override;
    void color(double r, double g, double b) override;
    void pointSize(double size) override;
    void lineWidth(double width) override;
    void lineStipple(int factor, std::uint16_t pattern) override;
    void polygonMode(GlFaces faces, GlPolygonMode mode) override;
    void shadeFlat() override;
    void shadeSmooth() override;
    void enable(GlCapability capability) override;
    void disable(GlCapability capability) override;
    void scissor(int x, int y, int width, int height) override;
    void wireSphere(double radius, int slices, int stacks) override;
    void viewport(int x, int y, int width, int height) override;
    void clearColor(double r, double g, double b, double a) override;
    void clear() override;

    std::vector<std::string> calls;

private:
    void add(const char *name, std::initializer_list<double> numbers);
};

} // namespace pw
