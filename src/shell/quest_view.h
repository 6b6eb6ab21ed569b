#pragma once

// The questions of a test as panels in the question area: number, picture, play button, text and
// answer boxes, laid out by the model's numbers, scrolled by the main window's bars.

#include "platform/canvas.h"
#include "quest/quest_list.h"

#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;

namespace pw {

class QuestPanel;

class TQuestView
{
public:
    // Draws on a question's picture (its overlays) when the panel is made.
    using Decorate = std::function<void(Canvas &, const TQuestion &)>;
    // The panels are children of area; sound plays a question's sound file (a second call for the
    // same question stops it).
    TQuestView(QWidget *area, TQuestList &list, const TQUESTPARM &parms, std::function<void(int place)> sound,
               Decorate decorate = {});
    ~TQuestView();
    TQuestView(const TQuestView &) = delete;
    TQuestView &operator=(const TQuestView &) = delete;

    // The panels from place first on, stacked from the top of the first, shifted by xoffset
    // (0 or negative); -1 moves nothing.
    void Layout(int first, int xoffset);
    // Focuses the box if its panel is shown.
    void FocusBox(int place, int box);
    void Hide();
    int First() const { return m_first; }
    QComboBox *Box(int place, int box) const;

private:
    TQuestList &m_list;
    std::vector<QuestPanel *> m_panels;
    int m_first = 0;
};

} // namespace pw
