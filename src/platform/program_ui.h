#pragma once

#include "platform/ui.h"

namespace pw {

// The Ui of the running program, for the few free functions that report to the user without an
// owner to hand them one (the XML layer's "no parent" message). Objects with an owner get their
// Ui injected instead. Until a program sets one, messages are recorded and dropped.
Ui &ProgramUi();
void SetProgramUi(Ui *ui);

} // namespace pw
