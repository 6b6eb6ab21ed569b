#include "scene3d/recording_gl.h"

#include <charconv>

namespace pw {

namespace {

const char *primitiveName(GlPrimitive primitive)
{
    switch (primitive) {
    case GlPrimitive::Points:
        return "points";
    case GlPrimitive::Lines:
        return "lines";
    case GlPrimitive::LineStrip:
        return "linestrip";
    case GlPrimitive::Triangles:
        return "triangles";
    case GlPrimitive::TriangleFan:
        return "trianglefan";
    case GlPrimitive::TriangleStrip:
        return "trianglestrip";
    case GlPrimitive::Quads:
        return "quads";
    }
    return "?";
}

const char *capabilityName(GlCapability capability)
{
    return capability == GlCapability::PointSmooth ? "pointsmooth" : "scissortest";
}

} // namespace

void RecordingGl::add(const char *name, std::initializer_list<double> numbers)
{
    std::string line = name;
    for (double n : numbers) {
        char buffer[32];
        const auto res = std::to_chars(buffer, buffer + sizeof buffer, n);
        line += ' ';
        line.append(buffer, res.ptr);
    }
    calls.push_back(std::move(line));
}

void RecordingGl::matrixMode(GlMatrixMode mode)
{
    calls.push_back(mode == GlMatrixMode::ModelView ? "matrixmode modelview" : "matrixmode projection");
}

void RecordingGl::loadIdentity()
{
    add("loadidentity", {});
}
void RecordingGl::pushMatrix()
{
    add("push", {});
}
void RecordingGl::popMatrix()
{
    add("pop", {});
}
void RecordingGl::translate(double x, double y, double z)
{
    add("translate", {x, y, z});
}
void RecordingGl::rotate(double angle, double x, double y, double z)
{
    add("rotate", {angle, x, y, z});
}
void RecordingGl::scale(double x, double y, double z)
{
    add("scale", {x, y, z});
}

void RecordingGl::frustum(double left, double right, double bottom, double top, double zNear, double zFar)
{
    add("frustum", {left, right, bottom, top, zNear, zFar});
}

void RecordingGl::ortho(double left, double right, double bottom, double top, double zNear, double zFar)
{
    add("ortho", {left, right, bottom, top, zNear, zFar});
}

void RecordingGl::perspective(double fovy, double aspect, double zNear, double zFar)
{
    add("perspective", {fovy, aspect, zNear, zFar});
}

void RecordingGl::begin(GlPrimitive primitive)
{
    calls.push_back(std::string("begin ") + primitiveName(primitive));
}
void RecordingGl::end()
{
    add("end", {});
}
void RecordingGl::vertex(double x, double y)
{
    add("vertex", {x, y});
}
void RecordingGl::vertex(double x, double y, double z)
{
    add("vertex", {x, y, z});
}
void RecordingGl::color(double r, double g, double b)
{
    add("color", {r, g, b});
}
void RecordingGl::pointSize(double size)
{
    add("pointsize", {size});
}
void RecordingGl::lineWidth(double width)
{
    add("linewidth", {width});
}

void RecordingGl::lineStipple(int factor, std::uint16_t pattern)
{
    add("linestipple", {double(factor), double(pattern)});
}

void RecordingGl::polygonMode(GlFaces faces, GlPolygonMode mode)
{
    std::string line = faces == GlFaces::FrontAndBack ? "polygonmode frontandback " : "polygonmode front ";
    line += mode == GlPolygonMode::Point ? "point" : mode == GlPolygonMode::Line ? "line" : "fill";
    calls.push_back(std::move(line));
}

void RecordingGl::shadeFlat()
{
    add("shadeflat", {});
}

void RecordingGl::shadeSmooth()
{
    add("shadesmooth", {});
}
void RecordingGl::enable(GlCapability capability)
{
    calls.push_back(std::string("enable ") + capabilityName(capability));
}

void RecordingGl::disable(GlCapability capability)
{
    calls.push_back(std::string("disable ") + capabilityName(capability));
}

void RecordingGl::scissor(int x, int y, int width, int height)
{
    add("scissor", {double(x), double(y), double(width), double(height)});
}

void RecordingGl::wireSphere(double radius, int slices, int stacks)
{
    add("sphere", {radius, double(slices), double(stacks)});
}

void RecordingGl::viewport(int x, int y, int width, int height)
{
    add("viewport", {double(x), double(y), double(width), double(height)});
}

void RecordingGl::clearColor(double r, double g, double b, double a)
{
    add("clearcolor", {r, g, b, a});
}
void RecordingGl::clear()
{
    add("clear", {});
}

} // namespace pw
