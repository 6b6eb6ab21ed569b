#include "panels/drill_pictures.h"

#include "panels/note_drill.h"
#include "platform/file_paths.h"

namespace pw {

namespace {

std::unique_ptr<Bitmap> loadPicture(const std::string &name, const std::filesystem::path &dataDir,
                                    BitmapLoader &loader)
{
    if (name.empty())
        return nullptr;
    return loader.load(ResolveDataPath(dataDir, "html\\" + name));
}

} // namespace

LoadedDrillPictures LoadDrillPictures(const DrillSettings &settings, const std::filesystem::path &dataDir,
                                      BitmapLoader &loader)
{
    LoadedDrillPictures pictures;
    pictures.keyboard = loadPicture(settings.keyboardPicture, dataDir, loader);
    pictures.staff = loadPicture(settings.staffPicture, dataDir, loader);
    return pictures;
}

void SetPictureSizes(NoteDrill &drill, const LoadedDrillPictures &pictures)
{
    const auto width = [](const std::unique_ptr<Bitmap> &b) { return b ? b->width() : 0; };
    const auto height = [](const std::unique_ptr<Bitmap> &b) { return b ? b->height() : 0; };
    drill.SetPictureSizes(width(pictures.keyboard), height(pictures.keyboard), width(pictures.staff),
                          height(pictures.staff));
}

} // namespace pw
