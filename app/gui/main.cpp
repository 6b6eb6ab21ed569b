// The Partwriter desktop program.

#include "config/tdm.h"
#include "platform/file_paths.h"
#include "shell/main_window.h"
#include "shell/video_pane.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    pw::PreferGStreamerMedia();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Partwriter");

    pw::Tdm tdm;
    tdm.ExeDir = pw::WithTrailingSeparator(pw::BundledDataFolder(pw::ExecutableFolder()));
    tdm.DataDir = tdm.ExeDir;
    tdm.MenuName = "Menu";
    const std::vector<std::string> arguments(argv + 1, argv + argc);

    pw::TForm1 window(tdm);
    if (!window.Start(arguments))
        return 1;
    // Without a window manager (a bare X server) maximising does nothing: take the screen.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
