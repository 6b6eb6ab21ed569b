// app_icon: writes the program's icon as OUT_DIR/partwriter.svg and OUT_DIR/SIZE/partwriter.png
// for the sizes of the desktop's icon theme.
//
// Usage: app_icon OUT_DIR

#include "icon_shapes.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

constexpr int Sizes[] = {16, 24, 32, 48, 64, 128, 256};

QImage render(const std::vector<pwicon::Shape> &shapes, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / pwicon::IconUnits, size / pwicon::IconUnits);
    for (const pwicon::Shape &s : shapes) {
        const QColor colour(QString::fromStdString(s.colour));
        switch (s.kind) {
        case pwicon::Shape::Rect: {
            QPainterPath path;
            path.addRoundedRect(QRectF(s.a, s.b, s.c, s.d), s.extra, s.extra);
            p.fillPath(path, colour);
            break;
        }
        case pwicon::Shape::Line:
            p.setPen(QPen(colour, s.strokeWidth, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(s.a, s.b), QPointF(s.c, s.d));
            break;
        case pwicon::Shape::Ellipse: {
            p.save();
            p.translate(s.a + s.c / 2, s.b + s.d / 2);
            p.rotate(s.extra);
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawEllipse(QRectF(-s.c / 2, -s.d / 2, s.c, s.d));
            p.restore();
            break;
        }
        }
    }
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: app_icon OUT_DIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::filesystem::path out = argv[1];
    const std::vector<pwicon::Shape> shapes = pwicon::IconShapes();
    std::filesystem::create_directories(out);
    std::ofstream(out / "partwriter.svg") << pwicon::IconSvg(shapes);
    for (int size : Sizes) {
        const std::filesystem::path folder = out / std::to_string(size);
        std::filesystem::create_directories(folder);
        if (!render(shapes, size).save(QString::fromStdString((folder / "partwriter.png").string()))) {
            std::fprintf(stderr, "app_icon: cannot write %s\n", (folder / "partwriter.png").c_str());
            return 1;
        }
    }
    return 0;
}
