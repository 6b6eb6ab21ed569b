#pragma once

// The overlay bitmaps of questionnaires: marks drawn over a question's picture (a ring around a
// note head, an arrow, a bracket over two notes, a cross), on a transparent background.

#include <QImage>

#include <string>
#include <vector>

namespace quest_art {

struct Overlay
{
    // The file name under res/, without ".png"; sys.xml names it in a Bitmap's file.
    std::string name;
    QImage image;
};

std::vector<Overlay> DrawOverlays();

} // namespace quest_art
