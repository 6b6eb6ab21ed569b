// Loading an exercise file into the document: the random choice of parts and keys, the free
// voices, the time limit, and the restore of an undo snapshot.

#include "document/har_exercis.h"
#include "document/xml_file.h"

#include "platform/error.h"
#include "platform/file_paths.h"
#include "platform/random.h"
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
    if (!LoadXmlFile(*doc, ResolveDataPath(m_dataDir, fileName))) {
        m_ui.message("Ошибка", "Файл с нотной записью не найден ");
        return nullptr;
    }
    if (!SelectNode(*doc, "//MExercise")) {
        m_ui.message("Ошибка", "В файле не найдено MExercise");
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
        copyTaskLimits(exercise);
        if (restore) {
            restoreParts();
        } else {
            UndoTop = -1;
            forgetUndoSteps();
            if (!chooseParts(exercise))
                return false;
            setUpParts(exercise);
        }
        enableTaskTimer();
    } catch (...) {
        // The part arrays may point into either document now: drop them rather than keep a
        // half-loaded exercise that would be drawn.
        clearParts();
        Status = -1;
        throw;
    }
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
    ExamState = -1;
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
    }
}

// A snapshot taken before a part was added holds fewer parts than are shown: the parts it does
// not hold go, so that undoing "Insert new Part" takes the part away again.
void HarExercis::dropPartsMissingFrom(int available)
{
    int kept = 0;
    for (int p = 0; p < PartCount; ++p) {
        if (PartOrder[static_cast<std::size_t>(p)] >= available)
            break;
        ++kept;
    }
    for (int p = kept; p < PartCount; ++p) {
        if (PartOrder[static_cast<std::size_t>(p)] < available)
            throw RangeError("The undo snapshot does not hold the parts of this exercise");
    }
    if (kept == PartCount)
        return;
    const auto size = static_cast<std::size_t>(kept);
    PartNodes.resize(size);
    PartOrder.resize(size);
    PartTonality.resize(size);
    PartDef.resize(size);
    PartCheckType.resize(size);
    PartTacts.resize(size);
    PartLengthVoice.resize(size);
    PartCurVoice.resize(size);
    PartCurTact.resize(size);
    PartCurPos.resize(size);
    PartErrors.resize(size);
    PartDone.resize(size);
    PartVoiceFree.resize(size);
    PartCount = kept;
    CurPart = std::min(CurPart, std::max(0, kept - 1));
}

void HarExercis::restoreParts()
{
    for (int p = 0; p < PartCount; ++p) {
        const auto i = static_cast<std::size_t>(p);
        PartNodes[i] = PartList[static_cast<std::size_t>(PartOrder[i])];
        PartTacts[i] = Tacts();
        BuildTacts(PartNodes[i], PartTacts[i]);
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
    PartOrder = std::move(order);
    PartCount = static_cast<int>(PartOrder.size());
    PartNodes.clear();
    for (int index : PartOrder)
        PartNodes.push_back(PartList[static_cast<std::size_t>(index)]);
    return true;
}

void HarExercis::setUpParts(XmlNode exercise)
{
    CurPart = 0;
    m_random.reseedFromClock();
    const int casual = GetAttrInt(exercise, "CasualTonality", 0);
    const auto count = static_cast<std::size_t>(PartCount);
    PartTonality.assign(count, {});
    PartDef.assign(count, {});
    PartCheckType.assign(count, {});
    PartTacts.assign(count, {});
    PartLengthVoice.assign(count, -1);
    PartCurVoice.assign(count, -1);
    PartCurTact.assign(count, 0);
    PartCurPos.assign(count, 0);
    PartErrors.assign(count, 0);
    PartDone.assign(count, false);
    PartVoiceFree.assign(count, {true, true, true, true});

    for (std::size_t p = 0; p < count; ++p) {
        XmlNode tonality = PartNodes[p].child("Tonality");
        PartTonality[p].type = GetAttrInt(tonality, "type", 0);
        PartTonality[p].val = casual >= 1 && !EditMode ? m_random.between(-casual, casual - 1)
                                                       : GetAttrInt(tonality, "val", 0);
    }

    int lastFixedVoice = -1;
    for (int p = 0; p < PartCount; ++p) {
        const auto i = static_cast<std::size_t>(p);
        XmlNode part = PartNodes[i];
        const std::string partDef = GetAttr(part, "Def");
        PartDef[i] = partDef.empty() ? GetAttr(exercise, "Def") : partDef;
        const std::string partCheck = GetAttr(part, "CheckType");
        PartCheckType[i] = partCheck.empty() ? GetAttr(exercise, "CheckType") : partCheck;
        // Every working load gives the part a fresh analysis voice to write into.
        if (!PartDef[i].empty() && !EditMode)
            TryAddChild(part, "Voice", {"Type", "Def"});
        BuildTacts(part, PartTacts[i]);
        if (HasDefaultLength) {
            const int own = GetAttrInt(part, "DefaultLength", -1);
            PartLengthVoice[i] = own == -1 ? GetAttrInt(exercise, "DefaultLength", 0) : own;
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

void HarExercis::setFreeVoices(int p, XmlNode exercise, int &lastFixedVoice)
{
    const auto i = static_cast<std::size_t>(p);
    XmlNode part = PartNodes[i];
    auto &free = PartVoiceFree[i];
    if (!GetAttr(part, "OnlyVoices").empty() && !EditMode) {
        for (int v = 0; v < 4; ++v)
            free[static_cast<std::size_t>(v)] = static_cast<bool>(NoteVoice(part, v));
        return;
    }
    const std::string partFixed = GetAttr(part, "FixedVoice");
    const std::string exerciseFixed = GetAttr(exercise, "FixedVoice");
    for (int v = 0; v < 4; ++v) {
        const std::string number = std::to_string(v);
        const bool fixed = !EditMode
            && (!GetAttr(NoteVoice(part, v), "Fixed").empty() || partFixed == number
                || (partFixed.empty() && exerciseFixed == number));
        free[static_cast<std::size_t>(v)] = !fixed;
        if (fixed)
            lastFixedVoice = v;
    }
}

void HarExercis::chooseCurrentVoice(int p)
{
    const auto i = static_cast<std::size_t>(p);
    XmlNode part = PartNodes[i];
    const int named = GetAttrInt(part, "CurrentVoice", 0);
    if (named < 0 || named > 3)
        throw RangeError("CurrentVoice '" + GetAttr(part, "CurrentVoice") + "' is outside 0..3");
    const auto &free = PartVoiceFree[i];
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
    PartCurVoice[i] = current;
    PartCurTact[i] = 0;
    PartCurPos[i] = 0;
}

void HarExercis::applyProportionalLimit(XmlNode exercise, int lastFixedVoice)
{
    if (!Task || GetAttr(exercise, "TimerProportional") != "Y" || lastFixedVoice < 0 || PartNodes.empty())
        return;
    XmlNode given = NoteVoice(PartNodes.front(), lastFixedVoice);
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
}

void HarExercis::clearParts()
{
    PartCount = 0;
    CurPart = 0;
    PartNodes.clear();
    PartOrder.clear();
    PartTonality.clear();
    PartDef.clear();
    PartCheckType.clear();
    PartTacts.clear();
    PartLengthVoice.clear();
    PartCurVoice.clear();
    PartCurTact.clear();
    PartCurPos.clear();
    PartErrors.clear();
    PartDone.clear();
    PartVoiceFree.clear();
}

} // namespace pw
