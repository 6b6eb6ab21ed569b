// partwriter-cli: headless tools for course authors to check and preview their files.

#include "command.h"
#include "console_ui.h"

#include <iostream>

int main(int argc, char **argv)
{
    CLI::App app {"Partwriter command-line tools: check and preview course files without the GUI"};
    app.require_subcommand(1);

    pwcli::CommandRun chosen;
    pwcli::AddDumpCommand(app, chosen);
    pwcli::AddMidiCommand(app, chosen);
    pwcli::AddFormulaCommand(app, chosen);
    pwcli::AddDrillCommand(app, chosen);
    pwcli::AddQuestCommand(app, chosen);
    pwcli::AddCheckCourseCommand(app, chosen);
    pwcli::AddAnalyzeCommand(app, chosen);
    pwcli::AddRenderCommand(app, chosen);
    pwcli::AddLayoutCommand(app, chosen);
    pwcli::AddEnterCommand(app, chosen);
    pwcli::AddPlayTableCommand(app, chosen);
    pwcli::AddSceneCommand(app, chosen);
    pwcli::AddExportCommand(app, chosen);
    pwcli::AddProgressCommand(app, chosen);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &e) {
        // Bad usage exits 2, as the commands' own checks of their arguments do; --help exits 0.
        return app.exit(e) == 0 ? 0 : 2;
    }
    try {
        const int status = chosen ? chosen() : 2;
        return status == 0 && pwcli::ConsoleUi::ErrorShown() ? 1 : status;
    } catch (const std::exception &e) {
        std::cerr << "error: " << e.what() << '\n';
        return 1;
    }
}
