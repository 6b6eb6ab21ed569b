#include "progress/progress_entry.h"

#include <QDateTime>

namespace pw {

std::string ProgressTimeNow()
{
    // Local time alone would print without its offset; the offset keeps the moment exact when the
    // clock moves for summer time or the student travels.
    const QDateTime now = QDateTime::currentDateTime();
    return now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

std::string LessonKey(const ProgressEntry &entry)
{
    return entry.kind + '\n' + (entry.lessonFile.empty() ? entry.lessonCaption : entry.lessonFile);
}

} // namespace pw
