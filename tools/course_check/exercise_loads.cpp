// An exercise loads as a harmony lesson loads it (the authoring template in authoring mode, a
// worked example with its analysis) without showing a message.

#include "course_check/checks.h"

#include "document/har_exercis.h"
#include "harmony/definitor.h"
#include "harmony/part_analysis.h"
#include "platform/error.h"
#include "platform/program_ui.h"
#include "platform/random.h"

namespace pw {

namespace {

// The lesson that opens this file is the authoring template.
constexpr const char *Template = "xml\\empty.xml";

// The document keeps its undo snapshots in the course's xml/undo; a check leaves no such folder
// behind where there was none.
class UndoFolderKept
{
public:
    explicit UndoFolderKept(const std::filesystem::path &dataDir)
        : m_folder(dataDir / "xml" / "undo")
        , m_existed(std::filesystem::exists(m_folder, m_ec))
    {
    }
    ~UndoFolderKept()
    {
        if (!m_existed)
            std::filesystem::remove(m_folder, m_ec);
    }
    UndoFolderKept(const UndoFolderKept &) = delete;
    UndoFolderKept &operator=(const UndoFolderKept &) = delete;

private:
    std::error_code m_ec;
    std::filesystem::path m_folder;
    bool m_existed;
};

} // namespace

void CheckExerciseLoads(CourseScan &scan, const LessonFile &exercise)
{
    const UndoFolderKept undo(scan.dataDir());
    RecordingUi ui;
    Ui &programUi = ProgramUi();
    SetProgramUi(&ui);
    // Whatever a seeded draw of parts and keys shows, every draw shows.
    StdRandom random(1);
    HarExercis ex(ui, random, scan.dataDir());
    ex.EditMode = exercise.name == Template;
    TimerArea task;
    task.Iterations = -1;
    try {
        if (ex.LoadExercise(scan.label(exercise.path), &task, false) && !ex.EditMode && scan.definitor) {
            const std::size_t before = scan.rulesUi.messages.size();
            AnalyseWorkedExamples(ex, *scan.definitor);
            for (std::size_t i = before; i < scan.rulesUi.messages.size(); ++i)
                ui.messages.push_back(scan.rulesUi.messages[i]);
        }
    } catch (const Error &e) {
        ui.message("Ошибка", e.what());
    }
    SetProgramUi(&programUi);
    for (const RecordingUi::Message &message : ui.messages)
        scan.add(exercise.path, scan.messageText(message));
}

} // namespace pw
