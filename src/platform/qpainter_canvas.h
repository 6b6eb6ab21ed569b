#pragma once

#include "platform/canvas.h"

#include <QImage>
#include <QPainter>

class QPaintDevice;

namespace pw {

// A bitmap read by Qt, kept both as loaded and with its background colour made transparent.
class QtBitmap : public Bitmap
{
public:
    QtBitmap(std::string name, QImage image);
    const QImage &opaque() const { return m_opaque; }
    const QImage &transparent() const { return m_transparent; }

private:
    QImage m_opaque;
    QImage m_transparent;
};

class QtBitmapLoader : public BitmapLoader
{
public:
    std::unique_ptr<Bitmap> load(const std::filesystem::path &file) override;
};

// Draws with a QPainter on a widget (from its paint event) or a QImage. Lines and rectangles are
// drawn without antialiasing so that one-pixel staff lines stay sharp.
class QPainterCanvas : public Canvas
{
public:
    explicit QPainterCanvas(QPaintDevice &device);

    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void text(int x, int y, std::string_view utf8) override;
    void bitmap(int x, int y, const Bitmap &bitmap, bool transparent) override;
    void bitmap(int x, int y, int width, int height, const Bitmap &bitmap, int opacity) override;
    void fillWhite() override;

private:
    QPaintDevice &m_device;
    QPainter m_painter;
};

} // namespace pw
