#pragma once

#include "json_line.h"

#include "document/xml_access.h"

#include <functional>
#include <string>
#include <vector>

namespace pwcli {

// The reasons of one analysis note, as sentences; none for a correct chord.
using Explainer = std::function<std::vector<std::string>(pw::XmlNode analysisNote)>;

// The analysis voice of a part as `analyze` prints it: one entry per analysis note with its
// label, descriptors, step and error; attributes absent in the document as "". With an explainer,
// an entry with reasons gets them as "why".
Json AnalysisJson(pw::XmlNode part, const Explainer &explain = {});

} // namespace pwcli
