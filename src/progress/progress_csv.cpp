#include "progress/progress_csv.h"

namespace pw {

namespace {

std::string optionalNumber(const std::optional<int> &value)
{
    return value ? std::to_string(*value) : std::string();
}

} // namespace

std::string CsvField(const std::string &text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string ProgressCsv(const std::vector<ProgressEntry> &entries)
{
    std::string csv = "id,menu_file,lesson_file,lesson_caption,kind,finished_at,mark,errors,attempts,"
                      "seconds_used,language\r\n";
    for (const ProgressEntry &e : entries) {
        for (const std::string &field :
             {std::to_string(e.id), CsvField(e.menuFile), CsvField(e.lessonFile), CsvField(e.lessonCaption),
              CsvField(e.kind), CsvField(e.finishedAt), optionalNumber(e.mark), std::to_string(e.errors),
              std::to_string(e.attempts), optionalNumber(e.secondsUsed)})
            csv += field + ',';
        csv += CsvField(e.language) + "\r\n";
    }
    return csv;
}

} // namespace pw
