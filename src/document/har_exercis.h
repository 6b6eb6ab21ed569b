#pragma once

#include "document/measure_index.h"
#include "document/timer_area.h"
#include "document/xml_access.h"

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

// The one harmony exercise of the run: the loaded file (the primary store, changed in place by
// note entry and analysis), the parts drawn for this run with their keys and cursors, the measure
// index of every part, and the undo ring of whole-document snapshots.
class HarExercis
{
public:
    // dataDir is where "xml/undo/" snapshots go; when it is not writable they go under the
    // per-user data folder instead.
    HarExercis(Ui &ui, Random &random, std::filesystem::path dataDir);
    HarExercis(const HarExercis &) = delete;
    HarExercis &operator=(const HarExercis &) = delete;

    // Loading and saving.
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
    const std::filesystem::path &UndoFolder() const { return m_undoFolder; }

    // Cursor and length.
    int CurrentVoice() const;
    int CurrentLength() const { return CurLength == 0 ? 4 : CurLength; }
    int CurrentDot() const { return CurDot; }
    void SetLength(int length, int dot);
    void UpdateCurrentLength();

    // The note of voice slot x sounding at the end of the reference slot's note, in the current part.
    std::optional<int> AlignedNote(int refSlot, int tact, int pos, int slotX) const;

    // Held by pointer so that a new file is swapped in whole, and node handles into the old one
    // never dangle while a load fails halfway.
    std::unique_ptr<pugi::xml_document> Doc;
    std::vector<XmlNode> PartList;
    std::vector<Tonality> PartTonality;
    std::vector<XmlNode> PartNodes;
    std::vector<int> PartOrder;
    std::vector<std::string> PartDef;
    std::vector<std::string> PartCheckType;
    int PartCount = 0;
    std::vector<Tacts> PartTacts;
    std::string FileName;
    TimerArea *Task = nullptr;
    std::vector<int> PartLengthVoice;
    std::vector<int> PartCurVoice;
    std::vector<int> PartCurTact;
    std::vector<int> PartCurPos;
    std::vector<int> PartErrors;
    std::vector<bool> PartDone;
    int CurPart = 0;
    int CurLength = 8;
    int CurDot = 0;

    int UndoTop = -1;
    std::array<std::string, UndoSlotCount> UndoMessages;
    std::array<int, UndoSlotCount> UndoState {};
    std::array<int, UndoSlotCount> UndoTact {};
    std::array<int, UndoSlotCount> UndoPos {};
    std::array<int, UndoSlotCount> UndoVoice {};
    std::array<int, UndoSlotCount> UndoPart {};

    std::array<int, 11> StepAccidentals {};
    int LastInsertPart = -1;
    int LastInsertTact = -2;
    int LastInsertPos = 0;
    bool HasStaffCount = false;
    int StaffCount = 2;
    int LastStaff = 1;
    int InsertCount = 0;
    int Status = 0;
    std::vector<std::array<bool, 4>> PartVoiceFree;
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
    void setFreeVoices(int p, XmlNode exercise, int &lastFixedVoice);
    void chooseCurrentVoice(int p);
    void applyProportionalLimit(XmlNode exercise, int lastFixedVoice);
    void enableTaskTimer();
    void forgetUndoSteps();
    void clearParts();

    Ui &m_ui;
    Random &m_random;
    std::filesystem::path m_dataDir;
    std::filesystem::path m_undoFolder;
};

} // namespace pw
