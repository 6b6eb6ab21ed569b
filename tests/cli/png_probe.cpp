// png_probe IMAGE [--colours RRGGBB,...] [--diff OTHER] [--pixel X,Y]...: the size of a PNG, how
// many of its pixels have exactly one of the colours, how many differ from OTHER's, and the colour
// of each pixel asked for (X, Y from the top left) as "rrggbb", as one JSON line. The render tests
// script their checks of partwriter-cli's pictures with it.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: png_probe IMAGE [--colours RRGGBB,...] [--diff OTHER] [--pixel X,Y]...\n");
        return 2;
    }
    const QImage image = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<QRgb> colours;
    QImage other;
    std::vector<QPoint> points;
    for (int i = 2; i + 1 < argc; i += 2) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (option == "--colours") {
            for (const QString &hex : value.split(',', Qt::SkipEmptyParts))
                colours.push_back(QColor("#" + hex).rgb());
        } else if (option == "--diff") {
            other = QImage(value).convertToFormat(QImage::Format_RGB32);
            if (other.isNull() || other.size() != image.size()) {
                std::fprintf(stderr, "cannot compare with %s\n", argv[i + 1]);
                return 1;
            }
        } else if (option == "--pixel") {
            const QStringList xy = value.split(',');
            bool xOk = false;
            bool yOk = false;
            const QPoint point(xy.value(0).toInt(&xOk), xy.value(1).toInt(&yOk));
            if (xy.size() != 2 || !xOk || !yOk || !image.rect().contains(point)) {
                std::fprintf(stderr, "no pixel %s in the image\n", argv[i + 1]);
                return 1;
            }
            points.push_back(point);
        } else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
    }
    long coloured = 0;
    long differing = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) | 0xff000000u;
            for (QRgb colour : colours) {
                if (pixel == colour) {
                    ++coloured;
                    break;
                }
            }
            if (!other.isNull() && pixel != (other.pixel(x, y) | 0xff000000u))
                ++differing;
        }
    }
    std::string pixels;
    for (const QPoint &point : points) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "\"%06x\"", image.pixel(point) & 0xffffffu);
        pixels += (pixels.empty() ? ", \"pixels\": [" : ", ") + std::string(hex);
    }
    if (!pixels.empty())
        pixels += "]";
    std::printf("{\"width\": %d, \"height\": %d, \"coloured\": %ld, \"differing\": %ld%s}\n", image.width(),
                image.height(), coloured, differing, pixels.c_str());
    return 0;
}
