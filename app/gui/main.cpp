// The Partwriter desktop program.

#include "config/localization.h"
#include "config/tdm.h"
#include "platform/file_paths.h"
#include "platform/text_fonts.h"
#include "shell/main_window.h"
#include "shell/video_pane.h"

#include <QApplication>
#include <QScreen>

#include <iostream>

namespace {

// --help and --version answer on standard output before any window exists.
int printInformation(const std::vector<std::string> &arguments, const std::string &dataDir)
{
    std::string language = "Russian";
    pw::WantsInformation(arguments, &language);
    pw::Tdm tdm;
    if (pw::ReadCommandLine(arguments, tdm).action == pw::CommandLineAction::Version) {
        std::cout << "Partwriter " << PARTWRITER_VERSION << '\n';
        return 0;
    }
    pw::Localization texts;
    texts.Load(dataDir, language);
    std::cout << texts.Text("Usage", "Help") << '\n';
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::string bundled = pw::WithTrailingSeparator(pw::BundledDataFolder(pw::ExecutableFolder()));
    if (pw::WantsInformation(arguments, nullptr))
        return printInformation(arguments, bundled);

    pw::PreferGStreamerMedia();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Partwriter");
    pw::RegisterTextFonts();

    pw::Tdm tdm;
    tdm.ExeDir = bundled;
    tdm.DataDir = tdm.ExeDir;
    tdm.MenuName = "Menu";

    pw::TForm1 window(tdm);
    if (!window.Start(arguments))
        return 1;
    // Without a window manager (a bare X server) maximising does nothing: take the screen.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
