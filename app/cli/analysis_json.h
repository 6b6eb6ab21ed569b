#pragma once

#include "json_line.h"

#include "document/xml_access.h"

namespace pwcli {

// The analysis voice of a part as `analyze` prints it: one entry per analysis note with its
// label, descriptors, step and error; attributes absent in the document as "".
Json AnalysisJson(pw::XmlNode part);

} // namespace pwcli
