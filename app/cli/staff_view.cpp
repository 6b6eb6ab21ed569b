#include "staff_view.h"

#include "harmony/definitor.h"
#include "harmony/part_analysis.h"
#include "platform/file_paths.h"

namespace pwcli {

std::unique_ptr<pw::MParms> LoadNotationParameters(pw::BitmapLoader &loader, pw::Ui &ui)
{
    return std::make_unique<pw::MParms>(pw::BundledDataFolder(pw::ExecutableFolder()), loader, ui);
}

void AnalyseExercise(ExerciseSession &session, const ExerciseOptions &options)
{
    pw::TMusDefinitor definitor(options.ruleBase(), session.ui);
    pw::AnalyseWrittenExercise(session.exercise, definitor);
}

} // namespace pwcli
