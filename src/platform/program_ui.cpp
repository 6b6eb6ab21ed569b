#include "platform/program_ui.h"

#include "platform/recording_ui.h"

namespace pw {

namespace {
Ui *g_programUi = nullptr;

Ui &fallbackUi()
{
    static RecordingUi silent;
    return silent;
}
} // namespace

Ui &ProgramUi()
{
    return g_programUi ? *g_programUi : fallbackUi();
}

void SetProgramUi(Ui *ui)
{
    g_programUi = ui;
}

} // namespace pw
