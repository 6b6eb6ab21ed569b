// The Partwriter desktop program.

#include "platform/file_paths.h"
#include "platform/program_ui.h"
#include "platform/qt_ui.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Partwriter");

    QMainWindow window;
    window.setObjectName("Form1");
    window.setWindowTitle("Partwriter");
    window.setMinimumSize(800, 600);

    pw::QtUi ui(&window);
    pw::SetProgramUi(&ui);

    window.showMaximized();
    return QApplication::exec();
}
