#pragma once

#include "document/measure_index.h"

namespace pw {

class MParms;
class Ui;

// Breaks a part's measures into systems and justifies each full system: fills TactX, TactStep,
// TactRow, TactLineEnd and RowCount and returns RowCount. reserve keeps room for one more note
// after the last measure. A system that cannot hold a single measure shows "Слишком маленькое
// окно" and throws WindowTooSmall.
int LayoutPart(Tacts &tacts, const MParms &parms, Ui &ui, int width, int firstRow, int val, bool reserve);

} // namespace pw
