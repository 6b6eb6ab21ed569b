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
    pw::HarExercis &ex = session.exercise;
    pw::TMusDefinitor definitor(options.ruleBase(), session.ui);
    const int part = ex.CurPart;
    const auto voices = ex.PartCurVoice;
    const auto tacts = ex.PartCurTact;
    const auto positions = ex.PartCurPos;
    for (int p = 0; p < ex.PartCount; ++p)
        pw::EmptyAnalysisVoices(ex, p);
    for (int p = 0; p < ex.PartCount; ++p)
        pw::AnalyseWrittenPart(ex, definitor, p);
    ex.CurPart = part;
    ex.PartCurVoice = voices;
    ex.PartCurTact = tacts;
    ex.PartCurPos = positions;
}

} // namespace pwcli
