// Loading an exercise file into the document: the random choice of parts and keys, the free
// voices, the time limit, and the restore of an undo snapshot.

#include "document/exercise_limits.h"
#include "document/har_exercis.h"
#include "document/xml_file.h"

#include "platform/error.h"
#include "platform/file_paths.h"
#include "platform/random.h"
#include "platform/text_format.h"
#include "platform/ui.h"

#include <algorithm>
#include <utility>

namespace pw {

namespace {

constexpr int MaxPartDraws = 1000;

} // namespace

std::unique_ptr<pugi::xml_document> HarExercis::readExerciseFile(const std::string &fileName)
{
    auto doc = std::make_unique<pugi::xml_document>();
    const XmlLoadResult read = ReadXmlFile(*doc, ResolveDataPath(m_dataDir, fileName));
    if (read.status == XmlFileStatus::Missing) {
        m_ui.message("Ошибка", "Файл с нотной записью не найден ");
        return nullptr;
    }
    if (!read) {
        m_ui.message("Ошибка",
                     FormatText("Файл с нотной записью %1 не загружен: %2", {fileName, read.reason}));
        return nullptr;
    }
    const XmlNode exercise = SelectNode(*doc, "//MExercise");
    if (!exercise) {
        m_ui.message("Ошибка", "В файле не найдено MExercise");
        return nullptr;
    }
    if (const std::string problem = ExerciseValueProblem(exercise); !problem.empty()) {
        m_ui.message("Ошибка", FormatText("Файл с нотной записью %1 не загружен: %2", {fileName, problem}));
        return nullptr;
    }
    return doc;
}

bool HarExercis::LoadExercise(const std::string &fileName, TimerArea *task, bool restore)
{
    if (task)
        Task = task;
    if (ViewMode == 0)
        ViewMode = 1;
    if (!restore)
        FileName = fileName;

    // A file that cannot be used leaves the document as it was, so nothing that points into it
    // is left dangling.
    std::unique_ptr<pugi::xml_document> loaded = readExerciseFile(fileName);
    if (!loaded)
        return false;
    XmlNode exercise = SelectNode(*loaded, "//MExercise");
    std::vector<XmlNode> parts;
    for (XmlNode part : exercise.children("Part"))
        parts.push_back(part);
    if (restore)
        dropPartsMissingFrom(static_cast<int>(parts.size()));
    std::unique_ptr<pugi::xml_document> previous = std::exchange(Doc, std::move(loaded));
    PartList = std::move(parts);

    try {
        readExerciseFlags(exercise);
        // An undo brings notes back, never time: the countdown, the counts and the exam's progress
        // stay as they are.
        if (restore) {
            restoreParts();
        } else {
            ExamState = -1;
            copyTaskLimits(exercise);
            UndoTop = -1;
            forgetUndoSteps();
            if (!chooseParts(exercise)) {
                NotifyChanged(ExerciseChange::Loaded);
                return false;
            }
            setUpParts(exercise);
            enableTaskTimer();
        }
    } catch (...) {
        // The part arrays may point into either document now: drop them rather than keep a
        // half-loaded exercise that would be drawn.
        clearParts();
        Status = -1;
        throw;
    }
    // An undo tells its listeners once it has put the cursor back too.
    if (!restore)
        NotifyChanged(ExerciseChange::Loaded);
    return true;
}

bool HarExercis::ReloadExercise()
{
    return LoadExercise(FileName, Task, false);
}

void HarExercis::readExerciseFlags(XmlNode exercise)
{
    HasDefaultLength = !GetAttr(exercise, "DefaultLength").empty();
    HasFixedLength = !GetAttr(exercise, "FixedLength").empty();
    IsExam = !GetAttr(exercise, "Exam").empty();
    StaffCount = 2;
    LastStaff = 1;
    if (!GetAttr(exercise, "PolyphonyVoices").empty()) {
        HasStaffCount = true;
        StaffCount = GetAttrInt(exercise, "PolyphonyVoices", 2);
        LastStaff = StaffCount - 1;
    }
}

void HarExercis::copyTaskLimits(XmlNode exercise)
{
    if (!Task)
        return;
    Task->LimitMin = GetAttrInt(exercise, "LimitMin", 0);
    Task->LimitSec = GetAttrInt(exercise, "LimitSec", 0);
    Task->NormalizeTime();
    Task->TimerMode = 1;
    if (Task->Iterations < 0) {
        Task->Iterations = GetAttrInt(exercise, "CountIteration", 0);
        Task->Attempts = 0;
        Task->Successes = 0;
        Task->SecondsUsed.reset();
    }
}

// A snapshot taken before a part was added holds fewer parts than are shown: the parts it does
// not hold go, so that undoing "Insert new Part" takes the part away again.
void HarExercis::dropPartsMissingFrom(int available)
{
    const auto missing = [available](const ExercisePart &p) { return p.Order >= available; };
    const auto firstMissing = std::find_if(Parts.begin(), Parts.end(), missing);
    if (std::any_of(firstMissing, Parts.end(), [&](const ExercisePart &p) { return !missing(p); }))
        throw RangeError("The undo snapshot does not hold the parts of this exercise");
    if (firstMissing == Parts.end())
        return;
    Parts.erase(firstMissing, Parts.end());
    CurPart = std::min(CurPart, std::max(0, PartCount() - 1));
}

void HarExercis::restoreParts()
{
    for (ExercisePart &p : Parts) {
        p.Node = PartList[static_cast<std::size_t>(p.Order)];
        p.Tacts = Tacts();
        BuildTacts(p.Node, p.Tacts);
    }
}

bool HarExercis::chooseParts(XmlNode exercise)
{
    m_random.reseedFromClock();
    const int wanted = GetAttrInt(exercise, "ShowPartsCount", 0);
    const int available = static_cast<int>(PartList.size());
    std::vector<int> order;
    if (wanted != 0 && !EditMode) {
        for (int draw = 0; draw < MaxPartDraws && static_cast<int>(order.size()) < wanted; ++draw) {
            const int index = m_random.below(available);
            if (available > 0 && std::find(order.begin(), order.end(), index) == order.end())
                order.push_back(index);
        }
        if (static_cast<int>(order.size()) < wanted || wanted < 0) {
            m_ui.message("Не смог заполнить случайную матрицу частей", "Сбой");
            clearParts();
            Status = -1;
            return false;
        }
    } else {
        for (int p = 0; p < available; ++p)
            order.push_back(p);
    }
    Parts.clear();
    for (int index : order)
        AppendPart(PartList[static_cast<std::size_t>(index)], index);
    return true;
}

void HarExercis::setUpParts(XmlNode exercise)
{
    CurPart = 0;
    m_random.reseedFromClock();
    const int casual = GetAttrInt(exercise, "CasualTonality", 0);
    for (ExercisePart &p : Parts) {
        XmlNode tonality = p.Node.child("Tonality");
        p.Tonality.type = GetAttrInt(tonality, "type", 0);
        p.Tonality.val = casual >= 1 && !EditMode ? m_random.between(-casual, casual - 1)
                                                  : GetAttrInt(tonality, "val", 0);
    }

    int lastFixedVoice = -1;
    for (ExercisePart &p : Parts) {
        const std::string partDef = GetAttr(p.Node, "Def");
        p.Def = partDef.empty() ? GetAttr(exercise, "Def") : partDef;
        const std::string partCheck = GetAttr(p.Node, "CheckType");
        p.CheckType = partCheck.empty() ? GetAttr(exercise, "CheckType") : partCheck;
        // Every working load gives the part a fresh analysis voice to write into.
        if (!p.Def.empty() && !EditMode)
            TryAddChild(p.Node, "Voice", {"Type", "Def"});
        BuildTacts(p.Node, p.Tacts);
        if (HasDefaultLength) {
            const int own = GetAttrInt(p.Node, "DefaultLength", -1);
            p.LengthVoice = own == -1 ? GetAttrInt(exercise, "DefaultLength", 0) : own;
        }
        setFreeVoices(p, exercise, lastFixedVoice);
        chooseCurrentVoice(p);
    }

    applyProportionalLimit(exercise, lastFixedVoice);

    CurLength = 8;
    CurDot = 0;
    Status = 0;
    UpdateCurrentLength();
    if (EditMode)
        ViewMode = 2;
    LastInsertTact = -2;
    LastInsertPart = -1;
}

void HarExercis::setFreeVoices(ExercisePart &part, XmlNode exercise, int &lastFixedVoice)
{
    auto &free = part.VoiceFree;
    if (!GetAttr(part.Node, "OnlyVoices").empty() && !EditMode) {
        for (int v = 0; v < 4; ++v)
            free[static_cast<std::size_t>(v)] = static_cast<bool>(NoteVoice(part.Node, v));
        return;
    }
    const std::string partFixed = GetAttr(part.Node, "FixedVoice");
    const std::string exerciseFixed = GetAttr(exercise, "FixedVoice");
    for (int v = 0; v < 4; ++v) {
        const std::string number = std::to_string(v);
        const bool fixed = !EditMode
            && (!GetAttr(NoteVoice(part.Node, v), "Fixed").empty() || partFixed == number
                || (partFixed.empty() && exerciseFixed == number));
        free[static_cast<std::size_t>(v)] = !fixed;
        if (fixed)
            lastFixedVoice = v;
    }
}

void HarExercis::chooseCurrentVoice(ExercisePart &part)
{
    const int named = GetAttrInt(part.Node, "CurrentVoice", 0);
    if (named < 0 || named > 3)
        throw RangeError("CurrentVoice '" + GetAttr(part.Node, "CurrentVoice") + "' is outside 0..3");
    const auto &free = part.VoiceFree;
    int current = named;
    if (!free[static_cast<std::size_t>(named)]) {
        current = -1;
        for (int v : VoiceOrderOf(SpecialMoveType)) {
            if (free[static_cast<std::size_t>(v)]) {
                current = v;
                break;
            }
        }
    }
    part.CurVoice = current;
    part.CurTact = 0;
    part.CurPos = 0;
}

void HarExercis::applyProportionalLimit(XmlNode exercise, int lastFixedVoice)
{
    if (!Task || GetAttr(exercise, "TimerProportional") != "Y" || lastFixedVoice < 0 || Parts.empty())
        return;
    XmlNode given = NoteVoice(Parts.front().Node, lastFixedVoice);
    if (!given)
        return;
    const auto notes = std::distance(given.children("Note").begin(), given.children("Note").end());
    Task->LimitSec = Task->LimitSec * static_cast<int>(notes);
    Task->LimitMin = 0;
    Task->NormalizeTime();
}

void HarExercis::enableTaskTimer()
{
    if (!Task)
        return;
    const bool enabled = Task->LimitMin + Task->LimitSec >= 1;
    Task->Timer->setEnabled(enabled);
    Task->TimerMode = enabled ? 1 : 0;
    // The series' clock starts with its first timed iteration; later ones add to it.
    if (enabled && !Task->SecondsUsed)
        Task->SecondsUsed = 0;
}

void HarExercis::clearParts()
{
    Parts.clear();
    CurPart = 0;
}

} // namespace pw
