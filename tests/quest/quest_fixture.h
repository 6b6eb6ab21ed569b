#pragma once

#include "platform/error.h"
#include "platform/recording_ui.h"
#include "quest/quest_list.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>

namespace pw::test {

// Random choices given in advance: each call takes the next value (modulo n), 0 once they run out.
class ScriptedRandom : public Random
{
public:
    explicit ScriptedRandom(std::deque<int> values = {})
        : values(std::move(values))
    {
    }
    void reseedFromClock() override { ++reseeds; }
    int below(int n) override
    {
        asked.push_back(n);
        if (values.empty() || n <= 0)
            return 0;
        const int value = values.front();
        values.pop_front();
        return value % n;
    }
    std::deque<int> values;
    std::vector<int> asked;
    int reseeds = 0;
};

// Pictures by file name with their sizes; any other name cannot be loaded.
class SizedPictures : public BitmapLoader
{
public:
    std::unique_ptr<Bitmap> load(const std::filesystem::path &file) override
    {
        const auto found = sizes.find(file.filename().string());
        if (found == sizes.end())
            throw Error("Cannot load the bitmap " + file.string());
        loaded.push_back(file);
        return std::make_unique<Bitmap>(found->first, found->second.first, found->second.second);
    }
    std::map<std::string, std::pair<int, int>> sizes {{"wide.jpg", {800, 300}}};
    std::vector<std::filesystem::path> loaded;
};

// A questionnaire of the test data loaded into a test or a sheet.
struct QuestFixture : ::testing::Test
{
    template<class List>
    bool load(List &list, const std::string &file, const std::string &language = "Russian", int width = 600)
    {
        return list.Load(QuestSource {PARTWRITER_TEST_DATA, file, language}, parms, task, width);
    }
    // The question drawn from the file's Q number q.
    static const TQuestion &drawn(const TQuestList &list, int q)
    {
        for (std::size_t i = 0; i < list.Drawn().size(); ++i) {
            if (list.Drawn()[i] == q)
                return *list.Questions()[i];
        }
        throw Error("question " + std::to_string(q) + " not drawn");
    }

    RecordingUi ui;
    ScriptedRandom random;
    SizedPictures pictures;
    TQUESTPARM parms;
    TimerArea task;
    TQList quest {ui, random, pictures};
    TAList sheet {ui, random, pictures};
};

} // namespace pw::test
