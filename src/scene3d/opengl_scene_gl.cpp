#include "scene3d/opengl_scene_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <memory>

namespace pw {

namespace {

GLenum primitiveOf(GlPrimitive primitive)
{
    switch (primitive) {
    case GlPrimitive::Points:
        return GL_POINTS;
    case GlPrimitive::Lines:
        return GL_LINES;
    case GlPrimitive::LineStrip:
        return GL_LINE_STRIP;
    case GlPrimitive::Triangles:
        return GL_TRIANGLES;
    case GlPrimitive::TriangleFan:
        return GL_TRIANGLE_FAN;
    case GlPrimitive::TriangleStrip:
        return GL_TRIANGLE_STRIP;
    case GlPrimitive::Quads:
        return GL_QUADS;
    }
    return GL_POINTS;
}

GLenum capabilityOf(GlCapability capability)
{
    return capability == GlCapability::PointSmooth ? GL_POINT_SMOOTH : GL_SCISSOR_TEST;
}

struct QuadricDeleter
{
    void operator()(GLUquadric *quadric) const { gluDeleteQuadric(quadric); }
};

} // namespace

void OpenGlSceneGl::matrixMode(GlMatrixMode mode)
{
    glMatrixMode(mode == GlMatrixMode::ModelView ? GL_MODELVIEW : GL_PROJECTION);
}

void OpenGlSceneGl::loadIdentity()
{
    glLoadIdentity();
}

void OpenGlSceneGl::pushMatrix()
{
    glPushMatrix();
}

void OpenGlSceneGl::popMatrix()
{
    glPopMatrix();
}

void OpenGlSceneGl::translate(double x, double y, double z)
{
    glTranslated(x, y, z);
}

void OpenGlSceneGl::rotate(double angle, double x, double y, double z)
{
    // A zero axis leaves the matrix undefined in OpenGL; a rotation about nothing is none.
    if (x == 0 && y == 0 && z == 0)
        return;
    glRotated(angle, x, y, z);
}

void OpenGlSceneGl::scale(double x, double y, double z)
{
    glScaled(x, y, z);
}

void OpenGlSceneGl::frustum(double left, double right, double bottom, double top, double zNear, double zFar)
{
    glFrustum(left, right, bottom, top, zNear, zFar);
}

void OpenGlSceneGl::ortho(double left, double right, double bottom, double top, double zNear, double zFar)
{
    glOrtho(left, right, bottom, top, zNear, zFar);
}

void OpenGlSceneGl::perspective(double fovy, double aspect, double zNear, double zFar)
{
    gluPerspective(fovy, aspect, zNear, zFar);
}

void OpenGlSceneGl::begin(GlPrimitive primitive)
{
    glBegin(primitiveOf(primitive));
}

void OpenGlSceneGl::end()
{
    glEnd();
}

void OpenGlSceneGl::vertex(double x, double y)
{
    glVertex2d(x, y);
}

void OpenGlSceneGl::vertex(double x, double y, double z)
{
    glVertex3d(x, y, z);
}

void OpenGlSceneGl::color(double r, double g, double b)
{
    glColor3d(r, g, b);
}

void OpenGlSceneGl::pointSize(double size)
{
    glPointSize(GLfloat(size));
}

void OpenGlSceneGl::lineWidth(double width)
{
    glLineWidth(GLfloat(width));
}

void OpenGlSceneGl::lineStipple(int factor, std::uint16_t pattern)
{
    glLineStipple(factor, pattern);
}

void OpenGlSceneGl::polygonMode(GlFaces faces, GlPolygonMode mode)
{
    const GLenum face = faces == GlFaces::FrontAndBack ? GL_FRONT_AND_BACK : GL_FRONT;
    const GLenum how = mode == GlPolygonMode::Point ? GL_POINT
        : mode == GlPolygonMode::Line               ? GL_LINE
                                                    : GL_FILL;
    glPolygonMode(face, how);
}

void OpenGlSceneGl::shadeFlat()
{
    glShadeModel(GL_FLAT);
}

void OpenGlSceneGl::shadeSmooth()
{
    glShadeModel(GL_SMOOTH);
}

void OpenGlSceneGl::enable(GlCapability capability)
{
    glEnable(capabilityOf(capability));
}

void OpenGlSceneGl::disable(GlCapability capability)
{
    glDisable(capabilityOf(capability));
}

void OpenGlSceneGl::scissor(int x, int y, int width, int height)
{
    // Negative sizes are an OpenGL error that would leave the previous box in force.
    glScissor(x, y, width < 0 ? 0 : width, height < 0 ? 0 : height);
}

void OpenGlSceneGl::wireSphere(double radius, int slices, int stacks)
{
    const std::unique_ptr<GLUquadric, QuadricDeleter> quadric(gluNewQuadric());
    if (!quadric)
        return;
    gluQuadricDrawStyle(quadric.get(), GLU_LINE);
    gluSphere(quadric.get(), radius, slices, stacks);
}

void OpenGlSceneGl::viewport(int x, int y, int width, int height)
{
    glViewport(x, y, width < 0 ? 0 : width, height < 0 ? 0 : height);
}

void OpenGlSceneGl::clearColor(double r, double g, double b, double a)
{
    glClearColor(GLclampf(r), GLclampf(g), GLclampf(b), GLclampf(a));
}

void OpenGlSceneGl::clear()
{
    glClear(GL_COLOR_BUFFER_BIT);
}

} // namespace pw
