#pragma once

// A drill driven without widgets: a recording host, a scripted or seeded random source.

#include "document/timer_area.h"
#include "panels/note_drill.h"
#include "platform/random.h"

#include <deque>
#include <tuple>
#include <vector>

namespace pwtest {

// Answers below(n) from a script (each value taken modulo n), then 0.
class ScriptedRandom : public pw::Random
{
public:
    explicit ScriptedRandom(std::deque<int> values = {})
        : m_values(std::move(values))
    {
    }
    void reseedFromClock() override { }
    int below(int n) override
    {
        if (n <= 0)
            return 0;
        if (m_values.empty())
            return 0;
        const int v = m_values.front();
        m_values.pop_front();
        return v % n;
    }

private:
    std::deque<int> m_values;
};

using Message = std::tuple<int, int, int>;

class RecordingDrillHost : public pw::DrillHost
{
public:
    void SendToOutputs(int status, int data1, int data2) override { sent.emplace_back(status, data1, data2); }
    void SendThroughNoteHandler(int status, int data1, int data2) override
    {
        throughHandler.emplace_back(status, data1, data2);
        if (drill && (status & 0xf0) == 0x90 && data2 > 0)
            drill->MidiNote(data1);
    }
    void PlayStepLater() override { ++stepsLater; }
    void Redraw() override { ++redraws; }
    void CountersChanged() override { ++counterRefreshes; }
    void SeriesEnded() override { ++seriesEnded; }

    pw::NoteDrill *drill = nullptr;
    std::vector<Message> sent;
    std::vector<Message> throughHandler;
    int stepsLater = 0;
    int redraws = 0;
    int counterRefreshes = 0;
    int seriesEnded = 0;
};

struct DrillRig
{
    explicit DrillRig(pw::Random &random, pw::DrillSettings settings = {})
        : drill(task, random, host)
    {
        host.drill = &drill;
        drill.SetArea(1000, 600);
        drill.SetUp(settings);
    }

    pw::TimerArea task;
    RecordingDrillHost host;
    pw::NoteDrill drill;
};

} // namespace pwtest
