// libFuzzer target: an exercise file of any content is loaded as the program opens one, with the
// checking pass listening; then its measure index is rebuilt, every chord analysed against the
// bundled rule base and explained, as `partwriter-cli analyze` does, and the staff view drawn once
// on the recording canvas. A file the program cannot use is refused or reported, never a crash.
//
// The notation parameters (sys.xml and the generated bitmaps) and the rule base come from the
// program folder of the build, PARTWRITER_PROGRAM_DIR.

#include "common/input_folder.h"

#include "document/exercise_nodes.h"
#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "harmony/chord_explanation.h"
#include "harmony/definitor.h"
#include "harmony/exercise_check.h"
#include "harmony/part_analysis.h"
#include "platform/error.h"
#include "platform/program_ui.h"
#include "platform/random.h"
#include "platform/recording_canvas.h"
#include "platform/recording_ui.h"
#include "staff/mparms.h"
#include "staff/staff_paint.h"

#include <QImageReader>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace {

const std::filesystem::path kProgramDir = PARTWRITER_PROGRAM_DIR;

// The bitmaps of the program folder at their real sizes, each file read once: the recording
// canvas needs no pixels, but the layout depends on the sizes.
class SizedBitmapLoader : public pw::BitmapLoader
{
public:
    std::unique_ptr<pw::Bitmap> load(const std::filesystem::path &file) override
    {
        auto found = m_sizes.find(file);
        if (found == m_sizes.end()) {
            const QSize size = QImageReader(QString::fromStdString(file.string())).size();
            if (!size.isValid())
                throw pw::Error("Cannot load the bitmap " + file.string());
            found = m_sizes.emplace(file, size).first;
        }
        return std::make_unique<pw::Bitmap>(file.filename().string(), found->second.width(),
                                            found->second.height());
    }

private:
    std::map<std::filesystem::path, QSize> m_sizes;
};

// The main window reads the notation parameters once at start and keeps them.
const pw::MParms &notationParameters()
{
    static pw::RecordingUi ui;
    static SizedBitmapLoader loader;
    static const std::unique_ptr<pw::MParms> parms = [] {
        auto p = std::make_unique<pw::MParms>(kProgramDir, loader, ui);
        p->SetViewport(0, 1280, 0, 800);
        return p;
    }();
    return *parms;
}

// The program reads the rule base once too and keeps it for every exercise.
pw::TMusDefinitor &ruleBase()
{
    static pw::RecordingUi ui;
    static pw::TMusDefinitor definitor(kProgramDir / "xml" / "definitor.xml", ui);
    return definitor;
}

void analyseAndDraw(pw::HarExercis &ex, pw::RecordingUi &ui)
{
    pw::TMusDefinitor &definitor = ruleBase();
    pw::AnalyseWorkedExamples(ex, definitor);
    for (pw::ExercisePart &part : ex.Parts)
        pw::BuildTacts(part.Node, part.Tacts);
    pw::AnalyseWrittenExercise(ex, definitor);
    const auto text = [](const std::string &id) { return id; };
    for (int p = 0; p < ex.PartCount(); ++p) {
        const pw::XmlNode voice = pw::FirstVoiceOfType(ex.part(p).Node, pw::AnalysisVoiceType);
        for (pw::XmlNode note : pw::NotesOf(voice)) {
            for (const pw::Why &why : pw::ExplainChord(ex, definitor, p, note))
                pw::WhyText(why, text);
        }
    }
    pw::RecordingCanvas canvas;
    pw::PaintAll(ex, canvas, notationParameters(), ui, 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const pwfuzz::InputFolder folder;
    notationParameters();
    const std::filesystem::path file = folder.write("xml/exercise.xml", data, size);

    pw::RecordingUi ui;
    pw::SetProgramUi(&ui);
    pw::StdRandom random {1};
    pw::TimerArea task;
    task.Iterations = -1;
    pw::HarExercis ex(ui, random, folder.path());
    pw::ExerciseChecker checker {ex};
    try {
        if (ex.LoadExercise(file.string(), &task, false))
            analyseAndDraw(ex, ui);
    } catch (const pw::Error &) {
        // What the program reports at the event boundary and carries on after.
    }
    pw::SetProgramUi(nullptr);
    return 0;
}
