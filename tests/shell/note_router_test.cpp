#include "support/exercise_document.h"

#include "midi/memory_backend.h"
#include "shell/note_router.h"

using namespace pw;

namespace {

class Router : public ExerciseFixture
{
protected:
    void SetUp() override
    {
        ExerciseFixture::SetUp();
        router = std::make_unique<NoteRouter>(outputs, trace, lock, *exercise);
        router->OutputSelected = {true, false, true};
        router->state = [this] { return state; };
        router->harmonyNote = [this](int note) { inserted.push_back(note); };
        router->drillNote = [this](int note) { drilled.push_back(note); };
        state.harmonyShown = true;
        state.soundOn = true;
    }
    std::vector<int> sentDevices() const
    {
        std::vector<int> devices;
        for (const auto &s : backend->sent())
            devices.push_back(s.device);
        return devices;
    }

    std::shared_ptr<MemoryMidiBackend> backend = std::make_shared<MemoryMidiBackend>(
        std::vector<std::string> {"Keys"}, std::vector<std::string> {"A", "B", "C"});
    TMidiOutput outputs {backend};
    MidiTrace trace;
    std::mutex lock;
    RoutingState state;
    std::unique_ptr<NoteRouter> router;
    std::vector<int> inserted;
    std::vector<int> drilled;
};

} // namespace

TEST_F(Router, NoteOnIsEchoedHighestOutputFirstThenInserted)
{
    router->NoteHandler(0, 144, 60, 100);
    EXPECT_EQ(sentDevices(), (std::vector<int> {2, 0}));
    EXPECT_EQ(inserted, (std::vector<int> {60}));
}

TEST_F(Router, OnlyNoteOnsWithVelocityInsertButEverythingIsEchoed)
{
    router->NoteHandler(0, 144, 60, 0); // note-on with velocity 0 is a note-off
    router->NoteHandler(0, 128, 60, 64); // note-off
    router->NoteHandler(0, 224, 0, 70); // pitch bend
    router->NoteHandler(0, 159, 62, 1); // note-on on channel 16
    EXPECT_EQ(inserted, (std::vector<int> {62}));
    EXPECT_EQ(backend->sent().size(), 8u);
}

TEST_F(Router, ActiveSensingIsIgnoredEntirely)
{
    router->NoteHandler(0, 254, 0, 0);
    EXPECT_TRUE(backend->sent().empty());
}

TEST_F(Router, SoundOffStillInsertsAndPauseStillEchoes)
{
    state.soundOn = false;
    router->NoteHandler(0, 144, 60, 100);
    EXPECT_TRUE(backend->sent().empty());
    EXPECT_EQ(inserted.size(), 1u);

    state.soundOn = true;
    state.paused = true;
    router->NoteHandler(0, 144, 64, 100);
    EXPECT_EQ(backend->sent().size(), 2u);
    EXPECT_EQ(inserted.size(), 1u);
}

TEST_F(Router, VideoAndAPausedDrillSilenceTheEcho)
{
    state.videoActive = true;
    router->NoteHandler(0, 144, 60, 100);
    EXPECT_TRUE(backend->sent().empty());
    state = {};
    state.drillShown = true;
    state.drillPaused = true;
    state.soundOn = true;
    router->NoteHandler(0, 144, 60, 100);
    EXPECT_TRUE(backend->sent().empty());
    EXPECT_EQ(drilled, (std::vector<int> {60}));
}

TEST_F(Router, FinishedExamTakesNoNotes)
{
    exercise->IsExam = true;
    exercise->ExamState = 0;
    router->NoteHandler(0, 144, 60, 100);
    EXPECT_TRUE(inserted.empty());
    EXPECT_TRUE(backend->sent().empty());
    exercise->ExamState = -1;
    router->NoteHandler(0, 144, 60, 100);
    EXPECT_EQ(inserted.size(), 1u);
}

TEST_F(Router, TraceGetsEveryMessageAndTheLockIsReleasedOnFailure)
{
    const auto file = folder / "midi.log";
    trace.Toggle(file);
    router->NoteHandler(1, 224, 0, 70);
    router->harmonyNote = [](int) { throw std::runtime_error("analysis failed"); };
    EXPECT_THROW(router->NoteHandler(1, 144, 60, 50), std::runtime_error);
    EXPECT_TRUE(lock.try_lock());
    lock.unlock();
    trace.Toggle(file);
    EXPECT_EQ(read(file),
              "Device index:1 aStatus: 224 aData1: 0 aData2: 70\n\r"
              "Device index:1 aStatus: 144 aData1: 60 aData2: 50\n\r");
}
