// png_probe IMAGE [--colours RRGGBB,...] [--diff OTHER]: the size of a PNG, how many of its pixels
// have exactly one of the colours, and how many differ from OTHER's, as one JSON line. The render
// tests script their checks of partwriter-cli's pictures with it.

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: png_probe IMAGE [--colours RRGGBB,...] [--diff OTHER]\n");
        return 2;
    }
    const QImage image = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<QRgb> colours;
    QImage other;
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
    std::printf("{\"width\": %d, \"height\": %d, \"coloured\": %ld, \"differing\": %ld}\n", image.width(),
                image.height(), coloured, differing);
    return 0;
}
