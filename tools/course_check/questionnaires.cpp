// A questionnaire: every question reads as a test reads it when drawn (its numbers, its picture,
// its sound, the overlay kinds its boxes name), and the test can be drawn from the file (its
// count and time limit) without a message.

#include "course_check/checks.h"

#include "platform/error.h"
#include "platform/random.h"
#include "quest/quest_list.h"

namespace pw {

namespace {

// Pictures are checked question by question; the draw needs only their sizes.
class AnyPicture : public BitmapLoader
{
public:
    std::unique_ptr<Bitmap> load(const std::filesystem::path &file) override
    {
        return std::make_unique<Bitmap>(file.filename().string(), 1, 1);
    }
};

constexpr int PanelWidth = 600;

// Whether the question reads.
bool checkQuestion(CourseScan &scan, const LessonFile &file, const QuestContext &context, XmlNode q,
                   int number)
{
    const std::string where = "question " + std::to_string(number) + ": ";
    try {
        const TQuestion question(context, q, number - 1, 0, 0, PanelWidth);
        if (!question.Sound.empty() && !CourseScan::isFile(scan.resolve(question.Sound)))
            scan.add(file.path, where + "the sound \"" + question.Sound + "\" is not found");
        for (std::size_t b = 0; b < question.Boxes.size(); ++b) {
            const std::string &kind = question.Boxes[b].Graphic;
            if (!kind.empty() && scan.overlays && !scan.overlays->Find(kind))
                scan.add(file.path,
                         where + "box " + std::to_string(b + 1) + ": the overlay kind \"" + kind
                             + "\" is not one of sys.xml");
        }
        return true;
    } catch (const QuestPictureError &e) {
        scan.add(file.path,
                 where + "the picture \"" + e.picture() + "\" "
                     + (scan.pictures().lastFailureMissing() ? "is not found"
                                                             : "is not a picture the program reads"));
    } catch (const Error &e) {
        scan.add(file.path, where + scan.inEnglish(e.what()));
    }
    return false;
}

} // namespace

void CheckQuestionnaire(CourseScan &scan, const LessonFile &questionnaire)
{
    pugi::xml_document doc;
    if (!scan.readXml(questionnaire.path, doc))
        return;
    const QuestFamily family
        = questionnaire.kind == LessonKind::Questionnaire ? QuestFamily::Quest : QuestFamily::AccTask;
    StdRandom random(1);
    const QuestContext context {scan.questParms,
                                family,
                                scan.language(),
                                random,
                                scan.pictures(),
                                scan.dataDir(),
                                scan.overlays ? scan.overlays->HintFunction() : nullptr};
    int number = 0;
    bool questionsRead = true;
    for (XmlNode q : SelectNode(doc, "//QS").children("Q"))
        questionsRead = checkQuestion(scan, questionnaire, context, q, ++number) && questionsRead;
    // A question that does not read stops the draw that meets it; it is told above.
    if (!questionsRead)
        return;

    RecordingUi ui;
    AnyPicture pictures;
    std::unique_ptr<TQuestList> test;
    if (family == QuestFamily::Quest)
        test = std::make_unique<TQList>(ui, random, pictures);
    else
        test = std::make_unique<TAList>(ui, random, pictures);
    TimerArea task;
    try {
        test->Load(QuestSource {scan.dataDir(), questionnaire.path.string(), scan.language()},
                   scan.questParms, task, PanelWidth);
    } catch (const Error &e) {
        ui.message("Ошибка", e.what());
    }
    for (const RecordingUi::Message &message : ui.messages)
        scan.add(questionnaire.path, scan.messageText(message));
}

} // namespace pw
