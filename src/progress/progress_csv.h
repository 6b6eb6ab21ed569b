#pragma once

#include "progress/progress_entry.h"

#include <string>
#include <vector>

namespace pw {

// One CSV field as RFC 4180 writes it: quoted, with its quotes doubled, when it holds a comma, a
// quote or a line break.
std::string CsvField(const std::string &text);

// The entries as a CSV table (RFC 4180: a header row, CRLF line ends, UTF-8); a field without a
// value is empty.
std::string ProgressCsv(const std::vector<ProgressEntry> &entries);

} // namespace pw
