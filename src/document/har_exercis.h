#pragma once

#include "document/exercise_change.h"
#include "document/measure_index.h"
#include "document/timer_area.h"
#include "document/xml_access.h"
#include "platform/process_folder.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pw {

class Random;
class Ui;

inline constexpr int UndoSlotCount = 9;

// Voice numbers.
inline constexpr int Bass = 0, Tenor = 1, Alto = 2, Soprano = 3;

// The order in which voices are tried, by the settings' specialmovetype: 0 bass-tenor-alto-soprano,
// 1 bass-soprano-alto-tenor.
inline const std::array<int, 4> &VoiceOrderOf(int specialMoveType)
{
    static constexpr std::array<std::array<int, 4>, 2> orders {{{0, 1, 2, 3}, {0, 3, 2, 1}}};
    return orders[specialMoveType == 1 ? 1 : 0];
}

// A part's key: type 0 minor, 1 major; val >= 1 flats, val <= 0 -val sharps.
struct Tonality
{
    int type = 0;
    int val = 0;
};

// One part shown in this run: its element and place in the file, its key and analysis group, its
// measure index, which voices the student writes, its cursor, and what the checks found in it.
struct ExercisePart
{
    XmlNode Node;
    // The index of Node among the exercise's Part elements.
    int Order = 0;
    pw::Tonality Tonality;
    // The analysis group (empty: no analysis) and the letters compared with the expected analysis.
    std::string Def;
    std::string CheckType;
    pw::Tacts Tacts;
    // The voice whose note lengths give the default length; -1 without DefaultLength.
    int LengthVoice = -1;
    std::array<bool, 4> VoiceFree {true, true, true, true};
    // The voice being written (-1 when none is free), and the cursor: the measure, and the note
    // index counted from the measure's first note in that voice.
    int CurVoice = -1;
    int CurTact = 0;
    int CurPos = 0;
    // Kept by the checking pass after every change of the document.
    int Errors = 0;
    bool Done = false;
};

// One slot of the undo ring: the step's name, its state (0 can be undone, 1 undone, 2 snapshot
// written but not registered) and the cursor when the snapshot was taken.
struct UndoStep
{
    std::string Message;
    int State = 0;
    int Part = 0;
    int Tact = 0;
    int Pos = 0;
    int Voice = 0;
};

// The one harmony exercise of the run: the loaded file (the primary store, changed in place by
// note entry and analysis), the parts drawn for this run, and the undo ring of whole-document
// snapshots. Whoever changes the document tells its listeners (NotifyChanged).
class HarExercis
{
public:
    // Snapshots go to a folder of this object's own under dataDir's "xml/undo/" (under the
    // per-user data folder when that is not writable), so that programs running at once never
    // restore each other's; it is removed with the object.
    HarExercis(Ui &ui, Random &random, std::filesystem::path dataDir);
    HarExercis(const HarExercis &) = delete;
    HarExercis &operator=(const HarExercis &) = delete;

    // Loading and saving. A successful load notifies Loaded (working mode) or Restored (undo).
    bool LoadExercise(const std::string &fileName, TimerArea *task, bool restore);
    bool ReloadExercise();
    void SaveExercise(const std::filesystem::path &fileName) const;
    const std::string &GetFileName() const { return FileName; }
    void SetFileName(const std::string &name) { FileName = name; }

    // Undo.
    void SaveSnapshot();
    void PushUndoStep(const std::string &name);
    bool CanUndo() const;
    void Undo();
    std::filesystem::path SnapshotPath(int slot) const;
    const std::filesystem::path &UndoFolder() const { return m_undoFolder.path(); }

    // The parts of this run.
    int PartCount() const { return static_cast<int>(Parts.size()); }
    bool HasCurrentPart() const { return CurPart >= 0 && CurPart < PartCount(); }
    // Part index of this run; RangeError outside 0..PartCount-1.
    ExercisePart &part(int index);
    const ExercisePart &part(int index) const;
    // The part CurPart names; RangeError when there is none.
    ExercisePart &current() { return part(CurPart); }
    const ExercisePart &current() const { return part(CurPart); }
    // Adds a part shown after the others: its element, its index in PartList, all voices free.
    ExercisePart &AppendPart(XmlNode node, int order);

    // Cursor and length.
    int CurrentVoice() const;
    int CurrentLength() const { return CurLength == 0 ? 4 : CurLength; }
    int CurrentDot() const { return CurDot; }
    void SetLength(int length, int dot);
    void UpdateCurrentLength();

    // The note of voice slot x sounding at the end of the reference slot's note, in the current part.
    std::optional<int> AlignedNote(int refSlot, int tact, int pos, int slotX) const;

    // Change notification: listeners run in the order they were added.
    void AddListener(ExerciseListener &listener);
    void RemoveListener(ExerciseListener &listener);
    void NotifyChanged(ExerciseChange kind, int part = -1);

    // Held by pointer so that a new file is swapped in whole, and node handles into the old one
    // never dangle while a load fails halfway.
    std::unique_ptr<pugi::xml_document> Doc;
    std::vector<XmlNode> PartList;
    std::vector<ExercisePart> Parts;
    std::string FileName;
    TimerArea *Task = nullptr;
    int CurPart = 0;
    int CurLength = 8;
    int CurDot = 0;

    int UndoTop = -1;
    std::array<UndoStep, UndoSlotCount> UndoSteps;

    std::array<int, 11> StepAccidentals {};
    int LastInsertPart = -1;
    int LastInsertTact = -2;
    int LastInsertPos = 0;
    bool HasStaffCount = false;
    int StaffCount = 2;
    int LastStaff = 1;
    int InsertCount = 0;
    int Status = 0;
    std::array<int, 4> OctOffset {};
    bool HasDefaultLength = false;
    bool HasFixedLength = false;
    bool IsExam = false;
    int ExamState = -1;
    int ViewMode = 0;
    int SpecialMoveType = 0;
    int AutoCompleteMode = 0;
    bool EditMode = false;
    bool WriteNotes = true;
    bool FreeFixVoice = true;
    bool AlwaysBass = false;

private:
    std::unique_ptr<pugi::xml_document> readExerciseFile(const std::string &fileName);
    void readExerciseFlags(XmlNode exercise);
    void copyTaskLimits(XmlNode exercise);
    void dropPartsMissingFrom(int available);
    void restoreParts();
    bool chooseParts(XmlNode exercise);
    void setUpParts(XmlNode exercise);
    void setFreeVoices(ExercisePart &part, XmlNode exercise, int &lastFixedVoice);
    void chooseCurrentVoice(ExercisePart &part);
    void applyProportionalLimit(XmlNode exercise, int lastFixedVoice);
    void enableTaskTimer();
    void forgetUndoSteps();
    void clearParts();

    Ui &m_ui;
    Random &m_random;
    std::filesystem::path m_dataDir;
    ProcessFolder m_undoFolder;
    std::vector<ExerciseListener *> m_listeners;
};

} // namespace pw
