#pragma once

#include <exception>
#include <string>

namespace pw {

class Localization;
class Ui;

// Tells the user that something was not saved: the text of Messages/<id> in the interface
// language, then the file and the reason when it is a file that could not be written.
void ReportSaveFailure(Ui &ui, const Localization &texts, const std::string &id, const std::exception &error);

} // namespace pw
