#include "icon_shapes.h"

#include <sstream>

namespace pwicon {

namespace {

constexpr const char *Paper = "#fdf8ec";
constexpr const char *Ink = "#1f2a44";
constexpr const char *Accent = "#c0392b";

} // namespace

// A rounded sheet with two staves and one four-part chord on them: soprano and alto above,
// tenor and bass below, the bass in the accent colour as the voice the analysis reads.
std::vector<Shape> IconShapes()
{
    std::vector<Shape> shapes;
    shapes.push_back({Shape::Rect, 8, 8, 240, 240, Ink, 0, 40});
    shapes.push_back({Shape::Rect, 18, 18, 220, 220, Paper, 0, 32});
    const double staffLeft = 40, staffRight = 216, gap = 14;
    for (double top : {54.0, 140.0})
        for (int line = 0; line < 5; ++line) {
            const double y = top + line * gap;
            shapes.push_back({Shape::Line, staffLeft, y, staffRight, y, Ink, 4});
        }
    // The brace of the grand staff.
    shapes.push_back({Shape::Line, staffLeft, 54, staffLeft, 196, Ink, 6});
    // The chord: note heads are slanted ellipses; y of each head on a line or a space.
    struct Head
    {
        double y;
        const char *colour;
    };
    const Head heads[] = {{61, Ink}, {89, Ink}, {147, Ink}, {182, Accent}};
    for (const Head &head : heads)
        shapes.push_back({Shape::Ellipse, 114, head.y - 10, 30, 20, head.colour, 0, -20});
    // Stems: up for soprano and tenor, down for alto and bass.
    shapes.push_back({Shape::Line, 142, 61, 142, 16 + 10, Ink, 5});
    shapes.push_back({Shape::Line, 116, 89, 116, 134, Ink, 5});
    shapes.push_back({Shape::Line, 142, 147, 142, 104, Ink, 5});
    shapes.push_back({Shape::Line, 116, 182, 116, 226, Accent, 5});
    return shapes;
}

std::string IconSvg(const std::vector<Shape> &shapes)
{
    std::ostringstream svg;
    svg << R"(<?xml version="1.0" encoding="UTF-8"?>)" << '\n'
        << R"(<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">)"
        << '\n';
    for (const Shape &s : shapes) {
        switch (s.kind) {
        case Shape::Rect:
            svg << "  <rect x=\"" << s.a << "\" y=\"" << s.b << "\" width=\"" << s.c << "\" height=\"" << s.d
                << "\" rx=\"" << s.extra << "\" fill=\"" << s.colour << "\"/>\n";
            break;
        case Shape::Line:
            svg << "  <line x1=\"" << s.a << "\" y1=\"" << s.b << "\" x2=\"" << s.c << "\" y2=\"" << s.d
                << "\" stroke=\"" << s.colour << "\" stroke-width=\"" << s.strokeWidth
                << "\" stroke-linecap=\"round\"/>\n";
            break;
        case Shape::Ellipse: {
            const double cx = s.a + s.c / 2, cy = s.b + s.d / 2;
            svg << "  <ellipse cx=\"" << cx << "\" cy=\"" << cy << "\" rx=\"" << s.c / 2 << "\" ry=\""
                << s.d / 2 << "\" transform=\"rotate(" << s.extra << ' ' << cx << ' ' << cy << ")\" fill=\""
                << s.colour << "\"/>\n";
            break;
        }
        }
    }
    svg << "</svg>\n";
    return svg.str();
}

} // namespace pwicon
