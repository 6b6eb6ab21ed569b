#pragma once

#include "platform/bitmap.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace pw {

// A colour as the data files give it: R + 256·G + 65536·B.
using Color = std::uint32_t;

constexpr Color MakeColor(int r, int g, int b)
{
    return static_cast<Color>(r) + 256u * static_cast<Color>(g) + 65536u * static_cast<Color>(b);
}
constexpr int RedOf(Color c)
{
    return static_cast<int>(c & 0xff);
}
constexpr int GreenOf(Color c)
{
    return static_cast<int>((c >> 8) & 0xff);
}
constexpr int BlueOf(Color c)
{
    return static_cast<int>((c >> 16) & 0xff);
}

inline constexpr Color Black = MakeColor(0, 0, 0);
inline constexpr Color White = MakeColor(255, 255, 255);

// Size is in points at 96 dots per inch, as on the workstations the course was written for.
struct CanvasFont
{
    std::string name = "Arial";
    int size = 8;
    bool bold = false;
    bool underline = false;
    Color color = Black;

    bool operator==(const CanvasFont &) const = default;
};

// A 2D drawing surface with a white background. Pen, brush and font are current state, as on the
// platform's canvas, so drawing code can set them once for a run of calls.
class Canvas
{
public:
    virtual ~Canvas() = default;

    void setPen(Color color, int width = 1)
    {
        m_penColor = color;
        m_penWidth = width;
    }
    Color penColor() const { return m_penColor; }
    int penWidth() const { return m_penWidth; }
    void setBrush(Color color) { m_brush = color; }
    Color brush() const { return m_brush; }
    void setFont(const CanvasFont &font) { m_font = font; }
    const CanvasFont &font() const { return m_font; }

    // From (x1, y1) towards (x2, y2), the end point itself not drawn.
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    // Filled with the brush and outlined with the pen; right and bottom are excluded.
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    // Text in the current font, its cell's top-left corner at (x, y), background left as it is.
    virtual void text(int x, int y, std::string_view utf8) = 0;
    // A transparent drawing leaves the bitmap's background colour out.
    virtual void bitmap(int x, int y, const Bitmap &bitmap, bool transparent) = 0;
    // The whole bitmap stretched to width x height, blended over the surface by its own alpha
    // (premultiplied) scaled by opacity / 255: 0 leaves the surface as it was, 255 with opaque
    // pixels replaces it. A surface that cannot blend draws the bitmap as it is, unless opacity is 0.
    virtual void bitmap(int x, int y, int width, int height, const Bitmap &bitmap, int opacity)
    {
        (void)width;
        (void)height;
        if (opacity > 0)
            this->bitmap(x, y, bitmap, false);
    }
    // The whole surface white.
    virtual void fillWhite() = 0;

    // Held while one part is drawn, so that drawings on this surface never interleave.
    std::mutex &lock() { return m_lock; }

private:
    Color m_penColor = Black;
    int m_penWidth = 1;
    Color m_brush = White;
    CanvasFont m_font;
    std::mutex m_lock;
};

} // namespace pw
