#pragma once

#include "support/test_folder.h"

#include "document/har_exercis.h"
#include "platform/random.h"
#include "platform/recording_ui.h"

#include <deque>
#include <string>
#include <vector>

// One field of every part of the run, in part order.
template<typename T>
std::vector<T> PartValues(const pw::HarExercis &ex, T pw::ExercisePart::*field)
{
    std::vector<T> values;
    for (const pw::ExercisePart &part : ex.Parts)
        values.push_back(part.*field);
    return values;
}

// Random choices taken from a script (each value reduced to the asked range); 0 once it runs out.
class ScriptedRandom : public pw::Random
{
public:
    void reseedFromClock() override { ++reseeds; }
    int below(int n) override
    {
        if (values.empty() || n <= 0)
            return 0;
        const int v = values.front();
        values.pop_front();
        return ((v % n) + n) % n;
    }
    std::deque<int> values;
    int reseeds = 0;
};

// An exercise document over a temporary data folder, with recorded messages.
class ExerciseFixture : public TestFolder
{
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        exercise = std::make_unique<pw::HarExercis>(ui, random, folder);
    }
    void TearDown() override
    {
        exercise.reset();
        TestFolder::TearDown();
    }

    // Writes xml/<name> and loads it in working mode with the task record.
    bool load(const std::string &name, const std::string &xml)
    {
        write("xml/" + name, xml);
        task.Iterations = -1;
        return exercise->LoadExercise((folder / "xml" / name).string(), &task, false);
    }

    static std::string quarters(int count, int high = 36)
    {
        std::string out;
        for (int i = 0; i < count; ++i)
            out += "<Note High=\"" + std::to_string(high + i % 5) + "\" Long=\"8\"/>";
        return out;
    }

    pw::RecordingUi ui;
    ScriptedRandom random;
    pw::TimerArea task;
    std::unique_ptr<pw::HarExercis> exercise;
};
