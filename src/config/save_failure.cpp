#include "config/save_failure.h"

#include "config/localization.h"
#include "platform/error.h"
#include "platform/ui.h"

namespace pw {

void ReportSaveFailure(Ui &ui, const Localization &texts, const std::string &id, const std::exception &error)
{
    std::string why = error.what();
    if (const auto *write = dynamic_cast<const FileWriteError *>(&error))
        why = texts.Text("Messages", "FileNotWritten") + " " + write->path() + ": " + write->reason();
    ui.message(texts.Text("Messages", "SaveFailedCaption"), texts.Text("Messages", id) + "\n" + why);
}

} // namespace pw
