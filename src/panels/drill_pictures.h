#pragma once

// The keyboard and staff pictures a drill names, read from the data folder's "html".

#include "panels/drill_settings.h"
#include "platform/bitmap.h"

#include <filesystem>
#include <memory>

namespace pw {

class NoteDrill;

struct LoadedDrillPictures
{
    std::unique_ptr<Bitmap> keyboard;
    std::unique_ptr<Bitmap> staff;
};

// A picture not named is left out; one named but unreadable raises the loader's error.
LoadedDrillPictures LoadDrillPictures(const DrillSettings &settings, const std::filesystem::path &dataDir,
                                      BitmapLoader &loader);

// Tells the drill how large the pictures are, 0 x 0 for one left out.
void SetPictureSizes(NoteDrill &drill, const LoadedDrillPictures &pictures);

} // namespace pw
