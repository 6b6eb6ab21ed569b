#pragma once

// The test in hand: the questions drawn from a question file without repeats, the answers given
// and the counters the check leaves.

#include "document/timer_area.h"
#include "platform/ui.h"
#include "quest/quest_overlays.h"
#include "quest/quest_question.h"

#include <pugixml.hpp>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pw {

// The question file of a lesson and the language its localised attributes are read in.
struct QuestSource
{
    std::filesystem::path dataDir;
    // As the lesson item writes it: relative to the data directory, or absolute.
    std::string file;
    std::string language = "Russian";
};

// The panels' place on screen, as the scroll bars leave it.
struct QuestScroll
{
    // The first question shown (the vertical bar).
    int first = 0;
    // The horizontal bar: its position and its maximum.
    int horizontal = 0;
    int horizontalMax = 0;
};

class TQuestList
{
public:
    TQuestList(QuestFamily family, Ui &ui, Random &random, BitmapLoader &pictures);
    virtual ~TQuestList() = default;

    void Clear();
    // Draws a test; the failures are reported through the Ui. Returns whether every place was
    // filled (the questions drawn before a failure stay).
    bool Load(const QuestSource &source, const TQUESTPARM &parms, TimerArea &task, int width, int left = 30,
              int top = 10);
    // The overlay hint for boxes of pictures without a hint of their own.
    void SetKindHint(std::function<std::string(const std::string &)> kindHint)
    {
        m_kindHint = std::move(kindHint);
    }
    // The same from the overlay kinds, which must outlive the tests loaded after this.
    void SetOverlays(const AddGrafs &grafs) { SetKindHint(grafs.HintFunction()); }

    // An answer chosen in a box (-1 empties it), then the recount every change makes. False when
    // there is no such question, box or item.
    bool Select(int place, int box, int item);
    // Answered = the questions with no empty box.
    void Recount();

    // The questions drawn, in their places. After a failed draw there are fewer than Count.
    const std::vector<std::unique_ptr<TQuestion>> &Questions() const { return m_questions; }
    // The index among the file's Q elements of the question in each place.
    const std::vector<int> &Drawn() const { return m_drawn; }
    int Places() const { return static_cast<int>(m_questions.size()); }
    int Count() const { return m_count; }
    int Answered() const { return m_answered; }
    int Wrong() const { return m_wrong; }
    int First() const { return m_first; }
    // The widest panel a picture made, 0 when none was widened.
    int WidestWidth() const { return m_widest; }

protected:
    // Pixels per step of the horizontal scroll bar.
    int HorizontalStep() const { return m_step; }

    int m_answered = 0;
    int m_wrong = 0;
    int m_first = 0;

private:
    void report(const std::string &caption, const std::string &text);

    QuestFamily m_family;
    Ui &m_ui;
    Random &m_random;
    BitmapLoader &m_pictures;
    std::function<std::string(const std::string &)> m_kindHint;
    pugi::xml_document m_doc;
    std::vector<std::unique_ptr<TQuestion>> m_questions;
    std::vector<int> m_drawn;
    int m_count = 0;
    int m_widest = 0;
    int m_step = TQUESTPARM().HorizontalStep;
};

// The first empty box a check stopped at.
struct QuestEmptyBox
{
    int place = 0;
    int box = 0;
};

// A scored test.
class TQList : public TQuestList
{
public:
    TQList(Ui &ui, Random &random, BitmapLoader &pictures)
        : TQuestList(QuestFamily::Quest, ui, random, pictures)
    {
    }

    // Counts the wrong and the answered questions; true when no box is empty. With goToFirst it
    // stops at the first question with an empty box: the scroll positions are moved to show it
    // (viewWidth is the width the panels are seen in), FirstEmpty() names the box, and the
    // counters cover only the questions before it.
    bool Check(bool goToFirst, QuestScroll &scroll, int viewWidth);
    bool Check()
    {
        QuestScroll scroll;
        return Check(false, scroll, 0);
    }
    const std::optional<QuestEmptyBox> &FirstEmpty() const { return m_firstEmpty; }
    // The mark of the last full check.
    int Mark() const;

private:
    std::optional<QuestEmptyBox> m_firstEmpty;
};

// An unscored sheet: shown and answered, never checked.
class TAList : public TQuestList
{
public:
    TAList(Ui &ui, Random &random, BitmapLoader &pictures)
        : TQuestList(QuestFamily::AccTask, ui, random, pictures)
    {
    }
};

// 5 - trunc(3 * wrong / places): 5 with nothing wrong, 2 with everything wrong; 5 for no places.
int QuestMark(int wrong, int places);

} // namespace pw
