#pragma once

#include "support/exercise_document.h"

#include "entry/computer_keys.h"
#include "entry/note_entry.h"
#include "harmony/definitor.h"
#include "harmony/exercise_check.h"

#include <memory>

// An exercise loaded from text with note entry over it and the bundled rule base.
class EntryFixture : public ExerciseFixture
{
protected:
    void SetUp() override
    {
        ExerciseFixture::SetUp();
        definitor = std::make_unique<pw::TMusDefinitor>(
            std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / "definitor.xml", ui);
        entry = std::make_unique<pw::NoteEntry>(*exercise, *definitor, ui, view);
        checker = std::make_unique<pw::ExerciseChecker>(*exercise);
    }
    void TearDown() override
    {
        checker.reset();
        ExerciseFixture::TearDown();
    }

    // A one-part exercise in C major (or A minor), 4/4, with the given attributes and voices.
    bool loadPart(const std::string &exerciseAttrs, const std::string &partAttrs = "",
                  const std::string &voices
                  = "<Voice H=\"0\"/><Voice H=\"1\"/><Voice H=\"2\"/><Voice H=\"3\"/>",
                  int type = 1)
    {
        return load("part.xml",
                    "<MExercise " + exerciseAttrs + "><Part Key0=\"4\" Key1=\"1\" " + partAttrs
                        + "><Tonality type=\"" + std::to_string(type)
                        + "\" val=\"0\"/><Size chi=\"4\" zna=\"8\"/>" + voices + "</Part></MExercise>");
    }

    // Plays a note as the main window does: insert, then advance when written.
    int play(int midi)
    {
        const int result = entry->InsertFromMidi(midi);
        if (result == 0)
            entry->AdvanceAfterInsert();
        return result;
    }

    std::vector<int> highs(int voice) const
    {
        std::vector<int> out;
        for (pw::XmlNode v : exercise->part(0).Node.children("Voice")) {
            if (pw::GetAttr(v, "Type").empty() && pw::GetAttrInt(v, "H", 0) == voice) {
                for (pw::XmlNode n : v.children("Note"))
                    out.push_back(pw::GetAttrInt(n, "High", -99));
            }
        }
        return out;
    }

    int voice() const { return exercise->CurrentVoice(); }
    int tact() const { return exercise->part(0).CurTact; }
    int pos() const { return exercise->part(0).CurPos; }

    pw::NullEntryView view;
    std::unique_ptr<pw::TMusDefinitor> definitor;
    std::unique_ptr<pw::NoteEntry> entry;
    std::unique_ptr<pw::ExerciseChecker> checker;
};
