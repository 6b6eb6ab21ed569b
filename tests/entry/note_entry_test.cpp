#include "support/entry_fixture.h"

#include "document/xml_access.h"

using namespace pw;

using Ints = std::vector<int>;
using NoteEntryTest = EntryFixture;

TEST(ComputerKeys, KeysMapToStepsNotesAndMidiNumbers)
{
    EXPECT_EQ(StepFromKey('A'), 3);
    EXPECT_EQ(StepFromKey('H'), 12);
    EXPECT_EQ(StepFromKey(keys::Semicolon), 19);
    EXPECT_EQ(StepFromKey(keys::Apostrophe), 20);
    EXPECT_EQ(StepFromKey(keys::BracketRight), 21);
    EXPECT_EQ(StepFromKey(keys::Backslash), 22);
    for (int rest : {int('Q'), keys::Slash, keys::Less})
        EXPECT_EQ(StepFromKey(rest), RestStep);
    EXPECT_EQ(StepFromKey('Z'), NoStep);
    EXPECT_EQ(NoteFromKey('Q', 0), RestNote);
    EXPECT_EQ(NoteFromKey('1', 0), NoNote);
    // The A key is C in every voice's own octave.
    const int expected[] = {36, 48, 60, 72};
    for (int v = 0; v < 4; ++v)
        EXPECT_EQ(MidiNoteFromKey('A', v, 0), expected[v]);
    EXPECT_EQ(MidiNoteFromKey('A', 2, -1), 48);
}

TEST_F(NoteEntryTest, PitchFromMidiFollowsTheKey)
{
    struct Case
    {
        int type, val, midi, pitch;
    };
    const Case cases[] = {{1, 0, 60, 36},  {0, 0, 57, 36}, {1, 1, 65, 36}, {1, -1, 67, 36},
                          {0, -2, 59, 36}, {1, 7, 55, 20}, {2, 0, 60, 0}};
    for (const Case &c : cases) {
        ASSERT_TRUE(loadPart("", "", "<Voice H=\"0\"/>", c.type));
        exercise->part(0).Tonality = {c.type, c.val};
        EXPECT_EQ(entry->PitchFromMidi(c.midi), c.pitch) << c.type << " " << c.val;
    }
}

TEST_F(NoteEntryTest, ChordNotesLandVoiceByVoiceInTheVoiceOrder)
{
    ASSERT_TRUE(loadPart(""));
    for (int midi : {48, 55, 64, 72})
        ASSERT_EQ(play(midi), 0);
    EXPECT_EQ(highs(0), (Ints {24}));
    EXPECT_EQ(highs(1), (Ints {31}));
    EXPECT_EQ(highs(2), (Ints {40}));
    EXPECT_EQ(highs(3), (Ints {48}));
    EXPECT_EQ(voice(), 0);
    EXPECT_EQ(pos(), 1);
    play(53);
    EXPECT_EQ(highs(0), (Ints {24, 29}));

    exercise->SpecialMoveType = 1;
    ASSERT_TRUE(loadPart(""));
    std::vector<int> voices;
    for (int midi : {48, 72, 64, 55}) {
        voices.push_back(voice());
        play(midi);
    }
    EXPECT_EQ(voices, (Ints {0, 3, 2, 1}));
    EXPECT_EQ(highs(1), (Ints {31}));
}

TEST_F(NoteEntryTest, GivenBassIsNotWrittenAgainWhenPlayed)
{
    ASSERT_TRUE(loadPart("FixedVoice=\"0\"", "",
                         "<Voice H=\"0\"><Note High=\"24\" Long=\"8\"/><Note High=\"29\" Long=\"8\"/></Voice>"
                         "<Voice H=\"1\"/><Voice H=\"2\"/><Voice H=\"3\"/>"));
    EXPECT_EQ(voice(), 1);
    EXPECT_EQ(entry->FixedVoicePitchAtCursor(), 24);
    EXPECT_EQ(play(48), -1); // the bass's own C, played with the chord
    EXPECT_TRUE(highs(1).empty());
    EXPECT_EQ(voice(), 1);
    EXPECT_EQ(play(55), 0);
    EXPECT_EQ(highs(1), (Ints {31}));
    exercise->FreeFixVoice = false;
    EXPECT_EQ(entry->InsertFromMidi(48), 0);
}

TEST_F(NoteEntryTest, ReplacingRestsAndTheWriteSwitch)
{
    ASSERT_TRUE(loadPart("", "", "<Voice H=\"3\"><Note High=\"40\" Long=\"8\"/></Voice>"));
    exercise->part(0).CurVoice = 3;
    exercise->SetLength(4, 1);
    ASSERT_EQ(entry->InsertFromMidi(67), 0);
    EXPECT_EQ(highs(3), (Ints {43}));
    XmlNode note = exercise->part(0).Node.child("Voice").child("Note");
    EXPECT_EQ(GetAttr(note, "Long"), "4");
    EXPECT_EQ(GetAttr(note, "P"), "1");

    exercise->part(0).CurPos = 1;
    exercise->SetLength(8, 0);
    ASSERT_EQ(entry->InsertNote(exercise->CurrentLength(), -1, exercise->CurrentDot()), 0);
    EXPECT_EQ(highs(3), (Ints {43, -1}));
    EXPECT_EQ(GetAttr(note.next_sibling("Note"), "P", "none"), "none");

    exercise->WriteNotes = false;
    EXPECT_EQ(entry->InsertFromMidi(60), -1);
    EXPECT_EQ(exercise->InsertCount, 2);
}

TEST_F(NoteEntryTest, CursorRightWaitsForEveryVoiceOfTheChord)
{
    ASSERT_TRUE(loadPart(""));
    play(48);
    play(55);
    // Bass and tenor written, the alto is missing.
    exercise->part(0).CurVoice = 0;
    EXPECT_EQ(entry->CursorRight(), 0);
    EXPECT_EQ(pos(), 0);
    EXPECT_EQ(voice(), 0);
}

TEST_F(NoteEntryTest, MovingPastAFullLastMeasureAppendsOneOrWraps)
{
    const std::string bass = "<Voice H=\"0\">" + quarters(4, 24) + "</Voice>";
    ASSERT_TRUE(loadPart("OnlyVoices=\"Y\"", "OnlyVoices=\"Y\"", bass));
    exercise->part(0).CurPos = 3;
    entry->CursorRight();
    EXPECT_EQ(tact(), 1);
    EXPECT_EQ(pos(), 0);
    EXPECT_EQ(exercise->part(0).Tacts.TactCount, 2);

    ASSERT_TRUE(loadPart("FixedLength=\"Y\"", "OnlyVoices=\"Y\"", bass));
    exercise->part(0).CurPos = 3;
    entry->CursorRight();
    EXPECT_EQ(tact(), 0);
    EXPECT_EQ(pos(), 0);
    EXPECT_EQ(exercise->part(0).Tacts.TactCount, 1);
}

TEST_F(NoteEntryTest, CursorLeftWrapsToTheEndOfTheVoice)
{
    ASSERT_TRUE(loadPart("", "OnlyVoices=\"Y\"", "<Voice H=\"0\">" + quarters(6, 24) + "</Voice>"));
    entry->CursorLeft();
    EXPECT_EQ(tact(), 1);
    EXPECT_EQ(pos(), 2); // after the last note of the unfinished measure
    entry->CursorLeft();
    entry->CursorLeft();
    entry->CursorLeft();
    EXPECT_EQ(tact(), 0);
    EXPECT_EQ(pos(), 3); // the previous measure, on its last note
}

TEST_F(NoteEntryTest, AlwaysBassBringsEveryMoveBackToTheBass)
{
    ASSERT_TRUE(loadPart(""));
    exercise->AlwaysBass = true;
    for (int midi : {48, 55, 64, 72})
        play(midi);
    EXPECT_EQ(voice(), 0);
    exercise->part(0).CurVoice = 2;
    entry->CursorLeft();
    EXPECT_EQ(voice(), 0);
}

TEST_F(NoteEntryTest, VoiceChangeClampsTheCursorToTheNewVoice)
{
    ASSERT_TRUE(loadPart("", "",
                         "<Voice H=\"0\">" + quarters(3, 24) + "</Voice><Voice H=\"1\">" + quarters(1, 31)
                             + "</Voice><Voice H=\"2\"/><Voice H=\"3\"/>"));
    exercise->part(0).CurPos = 3;
    entry->VoiceUp();
    EXPECT_EQ(voice(), 1);
    EXPECT_EQ(pos(), 1);
    entry->VoiceUp();
    EXPECT_EQ(voice(), 2);
    EXPECT_EQ(pos(), 0);
    EXPECT_TRUE(entry->CanChangeVoice(1));
    EXPECT_TRUE(entry->CanChangeVoice(-1));
    entry->SelectVoice(3);
    EXPECT_FALSE(entry->CanChangeVoice(1));
    entry->VoiceUp();
    EXPECT_EQ(voice(), 3);
    entry->VoiceDown();
    EXPECT_EQ(voice(), 2);
}

TEST_F(NoteEntryTest, EditorCommandsOnlyInEditorMode)
{
    const std::string bass = "<Voice H=\"0\">" + quarters(2, 24) + "</Voice>";
    ASSERT_TRUE(loadPart("", "", bass));
    entry->DeleteNoteAtCursor();
    entry->ToggleExemption();
    EXPECT_EQ(highs(0).size(), 2u);
    EXPECT_FALSE(exercise->CanUndo());

    exercise->EditMode = true;
    ASSERT_TRUE(loadPart("", "", bass));
    entry->ToggleExemption();
    EXPECT_EQ(GetAttr(exercise->part(0).Node.child("Voice").child("Note"), "BH"), "Y");
    entry->ToggleExemption();
    EXPECT_EQ(GetAttr(exercise->part(0).Node.child("Voice").child("Note"), "BH", "none"), "none");
    entry->DeleteNoteAtCursor();
    EXPECT_EQ(highs(0), (Ints {25}));
    EXPECT_EQ(exercise->UndoSteps[static_cast<std::size_t>(exercise->UndoTop)].Message,
              "Delete complete note");
    exercise->Undo();
    EXPECT_EQ(highs(0).size(), 2u);
}

TEST_F(NoteEntryTest, PartDownAddsAPartInEditorModeAfterConfirmation)
{
    exercise->EditMode = true;
    ASSERT_TRUE(loadPart(""));
    ui.buttonAnswers = {UiButton::Cancel};
    entry->PartDown();
    EXPECT_EQ(exercise->PartCount(), 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Add new part");
    EXPECT_EQ(ui.messages[0].text, "Are you really want to add new part?");

    entry->PartDown();
    ASSERT_EQ(exercise->PartCount(), 2);
    EXPECT_EQ(exercise->CurPart, 1);
    EXPECT_EQ(exercise->part(1).Order, 1);
    XmlNode added = exercise->part(1).Node;
    EXPECT_EQ(GetAttr(added, "Key0"), "4");
    EXPECT_EQ(GetAttr(added.child("Size"), "chi"), "4");
    EXPECT_EQ(exercise->part(1).Tacts.TactCount, 1);
    EXPECT_EQ(entry->InsertFromMidi(57), 0);
    entry->PartUp();
    EXPECT_EQ(exercise->CurPart, 0);

    exercise->Undo(); // the note
    exercise->Undo(); // the part
    EXPECT_EQ(SelectNodes(*exercise->Doc, "//Part").size(), 1u);

    exercise->EditMode = false;
    ASSERT_TRUE(loadPart(""));
    entry->PartDown();
    EXPECT_EQ(exercise->PartCount(), 1);
}

TEST_F(NoteEntryTest, FixedLengthPartIsDoneWhenEveryVoiceFillsTheLastMeasure)
{
    ASSERT_TRUE(loadPart("FixedLength=\"Y\"", "",
                         "<Voice H=\"0\">" + quarters(4, 24) + "</Voice><Voice H=\"1\"/>"
                             + "<Voice H=\"2\"/><Voice H=\"3\"/>"));
    exercise->part(0).VoiceFree = {false, false, false, true};
    exercise->part(0).CurVoice = 3;
    for (int i = 0; i < 3; ++i) {
        play(72);
        EXPECT_FALSE(exercise->part(0).Done);
    }
    play(72);
    EXPECT_TRUE(exercise->part(0).Done);
}

TEST_F(NoteEntryTest, UndoOfAnInsertionRestoresNotesAnalysisAndCursor)
{
    ASSERT_TRUE(loadPart("Def=\"TSD major\""));
    for (int midi : {48, 55, 64})
        play(midi);
    EXPECT_EQ(voice(), 3);
    play(72);
    XmlNode analysis = SelectNode(exercise->part(0).Node, "Voice[@Type='Def']/Note");
    ASSERT_TRUE(analysis);
    EXPECT_EQ(GetAttr(analysis, "Text"), "T");

    exercise->Undo();
    EXPECT_TRUE(highs(3).empty());
    EXPECT_EQ(voice(), 3);
    EXPECT_EQ(pos(), 0);
    EXPECT_NE(GetAttr(SelectNode(exercise->part(0).Node, "Voice[@Type='Def']/Note"), "Text"), "T");
}

TEST_F(NoteEntryTest, FixedLengthWithoutAGivenVoiceMovesOnInsideTheLastMeasure)
{
    ASSERT_TRUE(loadPart("FixedLength=\"Y\""));
    for (int midi : {48, 55, 60, 64})
        play(midi);
    EXPECT_EQ(tact(), 0);
    EXPECT_EQ(pos(), 1);
    EXPECT_EQ(voice(), 0);
}
