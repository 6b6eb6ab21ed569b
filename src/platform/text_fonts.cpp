#include "platform/text_fonts.h"

#include <QFont>
#include <QFontDatabase>

#include <array>
#include <mutex>

namespace pw {

namespace {

constexpr const char *FontFolder = "/usr/share/fonts/truetype/liberation2/";

struct Face
{
    const char *family;
    std::array<const char *, 6> windowsNames;
    std::array<const char *, 4> files;
};

const std::array<Face, 3> &faces()
{
    static const std::array<Face, 3> table {{
        {"Liberation Sans",
         {"Arial", "Helvetica", "MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Verdana"},
         {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationSans-Italic.ttf",
          "LiberationSans-BoldItalic.ttf"}},
        {"Liberation Serif",
         {"Times New Roman", "Times", "Georgia", "", "", ""},
         {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf", "LiberationSerif-Italic.ttf",
          "LiberationSerif-BoldItalic.ttf"}},
        {"Liberation Mono",
         {"Courier New", "Courier", "", "", "", ""},
         {"LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf", "LiberationMono-Italic.ttf",
          "LiberationMono-BoldItalic.ttf"}},
    }};
    return table;
}

} // namespace

void RegisterTextFonts()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const Face &face : faces()) {
            for (const char *file : face.files)
                QFontDatabase::addApplicationFont(QString(FontFolder) + file);
            for (const char *name : face.windowsNames) {
                if (*name)
                    QFont::insertSubstitution(name, face.family);
            }
        }
    });
}

QString TextFontFamily(const std::string &named)
{
    RegisterTextFonts();
    const QString name = QString::fromStdString(named);
    for (const Face &face : faces()) {
        for (const char *windowsName : face.windowsNames) {
            if (*windowsName && name.compare(windowsName, Qt::CaseInsensitive) == 0)
                return face.family;
        }
    }
    return name;
}

} // namespace pw
