#pragma once

// The program's icon as a handful of shapes on a 256-unit square, written both as SVG and as PNG
// pictures from the same list, so the two never drift apart.

#include <string>
#include <vector>

namespace pwicon {

struct Shape
{
    enum Kind { Rect, Line, Ellipse } kind;
    // Rect and Ellipse: x, y, width, height (an ellipse fills its box); Line: x1, y1, x2, y2.
    double a, b, c, d;
    // Fill for Rect and Ellipse, stroke for Line, as #rrggbb.
    std::string colour;
    double strokeWidth = 0;
    // Corner radius of a Rect; rotation in degrees of an Ellipse about its centre.
    double extra = 0;
};

constexpr double IconUnits = 256;

std::vector<Shape> IconShapes();
std::string IconSvg(const std::vector<Shape> &shapes);

} // namespace pwicon
