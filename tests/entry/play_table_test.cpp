#include "support/exercise_document.h"

#include "entry/exercise_player.h"
#include "entry/play_table.h"
#include "midi/memory_backend.h"
#include "midi/midi_devices.h"

#include <gmock/gmock.h>

#include <algorithm>

using namespace pw;

namespace {

struct N
{
    int high;
    int length;
    bool dotted = false;
};

std::string voiceXml(int h, const std::vector<N> &notes)
{
    std::string out = "<Voice H=\"" + std::to_string(h) + "\">";
    for (const N &n : notes) {
        out += "<Note High=\"" + std::to_string(n.high) + "\" Long=\"" + std::to_string(n.length) + "\""
            + (n.dotted ? " P=\"1\"" : "") + "/>";
    }
    return out + "</Voice>";
}

// The rows as [ons..., offs...] with -1 for nothing, as the table holds them.
PlayRow row(std::array<int, 4> on, std::array<int, 4> off)
{
    return {on[0], on[1], on[2], on[3], off[0], off[1], off[2], off[3]};
}

constexpr int _ = NoPlayNote;

class PlayTableTest : public ExerciseFixture
{
protected:
    // One part in A minor (type 0) or C major (type 1) with the key signature val.
    bool loadPart(const std::string &voices, int type = 0, int val = 0,
                  const std::string &size = "4\" zna=\"8")
    {
        return load("play.xml",
                    "<MExercise><Part><Tonality type=\"" + std::to_string(type) + "\" val=\""
                        + std::to_string(val) + "\"/><Size chi=\"" + size + "\"/>" + voices
                        + "</Part></MExercise>");
    }

    PlayTable table()
    {
        std::optional<PlayTable> built = BuildPlayTable(*exercise, 0, ui);
        EXPECT_TRUE(built.has_value());
        return built.value_or(PlayTable {});
    }
};

} // namespace

TEST(MidiFromPitch, InvertsNoteEntryInEveryKey)
{
    struct Case
    {
        int type, val, high, midi;
    };
    // The same pairs note entry's PitchFromMidi is checked with, plus rests and the range end.
    const Case cases[]
        = {{1, 0, 36, 60}, {0, 0, 36, 57}, {1, 1, 36, 65}, {1, -1, 36, 67},  {0, -2, 36, 59}, {1, 7, 20, 55},
           {0, 0, 0, 21},  {0, 0, -1, _},  {0, 0, -3, _},  {1, 0, 103, 127}, {1, 0, 104, _}};
    for (const Case &c : cases)
        EXPECT_EQ(MidiFromPitch(c.high, {c.type, c.val}), c.midi) << c.type << " " << c.val << " " << c.high;
}

TEST_F(PlayTableTest, QuartersInFourVoicesStartTogetherOneRowEach)
{
    ASSERT_TRUE(loadPart(voiceXml(0, {{24, 8}, {17, 8}, {19, 8}, {24, 8}})
                             + voiceXml(1, {{31, 8}, {33, 8}, {31, 8}, {31, 8}})
                             + voiceXml(2, {{36, 8}, {36, 8}, {35, 8}, {36, 8}})
                             + voiceXml(3, {{40, 8}, {41, 8}, {38, 8}, {40, 8}}),
                         1));
    EXPECT_EQ(table(),
              (PlayTable {row({48, 55, 60, 64}, {_, _, _, _}), row({41, 57, 60, 65}, {48, 55, 60, 64}),
                          row({43, 55, 59, 62}, {41, 57, 60, 65}), row({48, 55, 60, 64}, {43, 55, 59, 62}),
                          row({_, _, _, _}, {48, 55, 60, 64})}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PlayTableTest, LengthsBecomeRowsOfTheFinestUnit)
{
    struct Case
    {
        const char *name;
        std::vector<N> notes;
        std::vector<int> onRows; // rows of the note-ons, then the last note-off
        std::size_t rows;
    };
    const Case cases[] = {
        {"halves", {{0, 4}, {2, 4}}, {0, 2, 4}, 5},
        {"dotted half lasts one and a half halves", {{0, 4, true}, {2, 8}}, {0, 3, 4}, 5},
        {"eighths halve the unit", {{0, 16}, {1, 16}, {2, 8}, {3, 4}}, {0, 1, 2, 4, 8}, 9},
        {"dotted quarter and eighth", {{0, 8, true}, {1, 16}, {2, 4}}, {0, 3, 4, 8}, 9},
        {"two measures", {{0, 2}, {1, 8}, {2, 8}, {3, 4}}, {0, 4, 5, 6, 8}, 9},
        {"whole", {{0, 2}}, {0, 4}, 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(loadPart(voiceXml(0, c.notes)));
        const PlayTable t = table();
        ASSERT_EQ(t.size(), c.rows);
        for (std::size_t i = 0; i < c.notes.size(); ++i) {
            const auto on = static_cast<std::size_t>(c.onRows[i]);
            const auto off = static_cast<std::size_t>(c.onRows[i + 1]);
            EXPECT_EQ(t[on][0], 21 + c.notes[i].high) << "note " << i;
            EXPECT_EQ(t[off][4], 21 + c.notes[i].high) << "note " << i;
        }
        // Nothing else is in the table.
        int cells = 0;
        for (const PlayRow &r : t)
            cells += static_cast<int>(std::count_if(r.begin(), r.end(), [](int v) { return v != _; }));
        EXPECT_EQ(cells, static_cast<int>(2 * c.notes.size()));
    }
}

TEST_F(PlayTableTest, RestsTakeTimeButNoNotes)
{
    ASSERT_TRUE(loadPart(voiceXml(3, {{-1, 8}, {30, 8}, {-1, 4}})));
    EXPECT_EQ(table(),
              (PlayTable {row({_, _, _, _}, {_, _, _, _}), row({_, _, _, 51}, {_, _, _, _}),
                          row({_, _, _, _}, {_, _, _, 51}), row({_, _, _, _}, {_, _, _, _}),
                          row({_, _, _, _}, {_, _, _, _})}));
}

TEST_F(PlayTableTest, KeyMovesEveryNote)
{
    const std::string voices = voiceXml(0, {{12, 4}, {15, 4}}) + voiceXml(2, {{31, 2}});
    struct Case
    {
        int type, val, shift;
    };
    // Major sounds 3 above minor; one flat a fourth up, one sharp a fifth up.
    const Case cases[] = {{0, 0, 0}, {1, 0, 3}, {0, 1, 5}, {0, -1, 7}, {1, -2, 5}};
    for (const Case &c : cases) {
        ASSERT_TRUE(loadPart(voices, c.type, c.val));
        const int b = 33 + c.shift, b2 = 36 + c.shift, a = 52 + c.shift;
        EXPECT_EQ(table(),
                  (PlayTable {row({b, _, a, _}, {_, _, _, _}), row({_, _, _, _}, {_, _, _, _}),
                              row({b2, _, _, _}, {b, _, _, _}), row({_, _, _, _}, {_, _, _, _}),
                              row({_, _, _, _}, {b2, _, a, _})}))
            << c.type << " " << c.val;
    }
}

TEST_F(PlayTableTest, ANoteRunningPastTheEndIsReportedAndEndsItsVoice)
{
    // A half note on beat 4 never closes the measure: one long measure of four quarters' rows.
    ASSERT_TRUE(loadPart(voiceXml(0, {{0, 8}, {1, 8}, {2, 8}, {3, 4}, {4, 8}})
                         + voiceXml(1, {{10, 8}, {11, 8}, {12, 8}, {13, 4}, {14, 8}})));
    const PlayTable t = table();
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[3], row({24, 34, _, _}, {23, 33, _, _}));
    EXPECT_EQ(t[4], row({_, _, _, _}, {_, _, _, _}));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].caption, "Ошибка");
    // The message says which note of which voice, so an author can find it.
    EXPECT_EQ(ui.messages[0].text, "часть 1, голос H=0, нота 4: звучит после конца части");
    EXPECT_EQ(ui.messages[1].text, "часть 1, голос H=1, нота 4: звучит после конца части");
}

TEST_F(PlayTableTest, MeasuresWithoutATimeSignatureLastAsTheirNotes)
{
    ASSERT_TRUE(load("nosize.xml",
                     "<MExercise><Part><Tonality type=\"0\" val=\"0\"/>" + voiceXml(0, {{0, 8}, {1, 4}})
                         + "</Part></MExercise>"));
    const PlayTable t = table();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[3], row({_, _, _, _}, {22, _, _, _}));
}

TEST_F(PlayTableTest, NoPartNoTable)
{
    EXPECT_FALSE(BuildPlayTable(*exercise, 0, ui).has_value());
    ASSERT_TRUE(loadPart(voiceXml(0, {{0, 8}})));
    EXPECT_FALSE(BuildPlayTable(*exercise, 1, ui).has_value());
    EXPECT_TRUE(BuildPlayTable(*exercise, 0, ui).has_value());
}

namespace {

struct Msg
{
    int device, status, note, velocity;
    bool operator==(const Msg &) const = default;
};

void PrintTo(const Msg &m, std::ostream *os)
{
    *os << "{" << m.device << ", " << m.status << ", " << m.note << ", " << m.velocity << "}";
}

class PlayerTest : public PlayTableTest
{
protected:
    void SetUp() override
    {
        PlayTableTest::SetUp();
        player = std::make_unique<ExercisePlayer>(*exercise, ui, timer, sink, 150);
    }

    std::vector<Msg> sent() const
    {
        std::vector<Msg> out;
        for (const MemoryMidiBackend::Sent &s : backend->sent())
            out.push_back({s.device, static_cast<int>(s.packed & 255),
                           static_cast<int>((s.packed >> 8) & 255), static_cast<int>(s.packed >> 16)});
        return out;
    }

    // Ticks until the playback stops; the number of ticks.
    int playToEnd()
    {
        int ticks = 0;
        while (player->IsPlaying() && ticks < 1000) {
            player->PlayTick();
            ++ticks;
        }
        return ticks;
    }

    std::shared_ptr<MemoryMidiBackend> backend = std::make_shared<MemoryMidiBackend>(
        std::vector<std::string> {}, std::vector<std::string> {"A", "B"});
    TMidiOutput outputs {backend};
    std::vector<bool> selected {true, false};
    bool soundOn = true;
    SelectedOutputs sink {outputs, selected, soundOn};
    PlayTimer timer;
    std::unique_ptr<ExercisePlayer> player;
};

constexpr int Off = ExercisePlayer::NoteOff, On = ExercisePlayer::NoteOn;

} // namespace

TEST_F(PlayerTest, PlaysEveryRowOffsBeforeOnsThenStops)
{
    ASSERT_TRUE(loadPart(voiceXml(0, {{3, 4}, {-1, 8}, {5, 8}}) + voiceXml(3, {{27, 8}, {29, 8}, {31, 4}})));
    player->PlayToggle();
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.interval(), 150);
    // Five rows, and the tick after the last stops.
    EXPECT_EQ(playToEnd(), 6);
    EXPECT_FALSE(timer.enabled());
    EXPECT_EQ(player->Position(), -1);
    EXPECT_EQ(sent(),
              (std::vector<Msg> {{0, On, 24, 50},
                                 {0, On, 48, 50},
                                 {0, Off, 48, 50},
                                 {0, On, 50, 50},
                                 {0, Off, 24, 50},
                                 {0, Off, 50, 50},
                                 {0, On, 52, 50},
                                 {0, On, 26, 50},
                                 {0, Off, 26, 50},
                                 {0, Off, 52, 50}}));
}

TEST_F(PlayerTest, EverySelectedOutputHearsTheRowHighestFirst)
{
    ASSERT_TRUE(loadPart(voiceXml(1, {{0, 2}})));
    selected = {true, true};
    player->PlayToggle();
    playToEnd();
    EXPECT_EQ(sent(),
              (std::vector<Msg> {{1, On, 21, 50}, {0, On, 21, 50}, {1, Off, 21, 50}, {0, Off, 21, 50}}));
}

TEST_F(PlayerTest, StoppingEarlySwitchesOffWhatSounds)
{
    ASSERT_TRUE(loadPart(voiceXml(0, {{0, 8}, {1, 4}, {2, 8}}) + voiceXml(2, {{20, 2}})));
    player->PlayToggle();
    player->PlayTick();
    player->PlayTick();
    player->PlayToggle();
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FALSE(timer.enabled());
    const std::vector<Msg> all = sent();
    ASSERT_EQ(all.size(), 6u);
    EXPECT_THAT(std::vector<Msg>(all.begin() + 4, all.end()),
                ::testing::UnorderedElementsAre(Msg {0, Off, 22, 50}, Msg {0, Off, 41, 50}));
    // A stray tick after the stop sends nothing; a new start begins at the first row.
    player->PlayTick();
    EXPECT_EQ(sent().size(), 6u);
    player->PlayToggle();
    EXPECT_EQ(player->Position(), 0);
}

TEST_F(PlayerTest, ANoteCutOffByTheTableEndIsSwitchedOffAtTheEnd)
{
    ASSERT_TRUE(loadPart(voiceXml(0, {{0, 8}, {1, 8}, {2, 8}, {3, 4}})));
    player->PlayToggle();
    playToEnd();
    const std::vector<Msg> all = sent();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.back(), (Msg {0, Off, 24, 50}));
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const Msg &m) { return m.status == On; }),
              std::count_if(all.begin(), all.end(), [](const Msg &m) { return m.status == Off; }));
}

TEST_F(PlayerTest, SilentWithoutSoundOrOutputs)
{
    ASSERT_TRUE(loadPart(voiceXml(0, {{0, 4}, {1, 4}})));
    soundOn = false;
    player->PlayToggle();
    EXPECT_EQ(playToEnd(), 6);
    selected = {false, false};
    soundOn = true;
    player->PlayToggle();
    EXPECT_EQ(playToEnd(), 6);
    EXPECT_TRUE(sent().empty());
}

TEST_F(PlayerTest, NoPartNothingStarts)
{
    player->PlayToggle();
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FALSE(timer.enabled());
}
