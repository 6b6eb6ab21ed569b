#pragma once

#include "exercise_session.h"

#include "staff/mparms.h"

#include <memory>

namespace pwcli {

// The notation parameters as the program reads them at start: sys.xml and the bitmaps from the
// program's folder (the bundled course folder of an installed program).
std::unique_ptr<pw::MParms> LoadNotationParameters(pw::BitmapLoader &loader, pw::Ui &ui);

// The exercise analysed as `analyze` does, against DIR's rule base; the cursor and current part are
// left where the load put them.
void AnalyseExercise(ExerciseSession &session, const ExerciseOptions &options);

} // namespace pwcli
