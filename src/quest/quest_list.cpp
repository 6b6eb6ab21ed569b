#include "quest/quest_list.h"

#include "document/xml_file.h"
#include "platform/file_paths.h"
#include "platform/text_format.h"

#include <algorithm>

namespace pw {

namespace {

// Draws after which a test that is still not full is given up: a Count above the number of
// questions could never be filled.
constexpr int MaxDraws = 1000;
constexpr int PanelGap = 10;

} // namespace

TQuestList::TQuestList(QuestFamily family, Ui &ui, Random &random, BitmapLoader &pictures)
    : m_family(family)
    , m_ui(ui)
    , m_random(random)
    , m_pictures(pictures)
{
}

void TQuestList::Clear()
{
    m_questions.clear();
    m_drawn.clear();
    m_doc.reset();
    m_count = 0;
    m_answered = 0;
    m_wrong = 0;
    m_first = 0;
    m_widest = 0;
}

void TQuestList::report(const std::string &caption, const std::string &text)
{
    m_ui.message(caption, text);
}

bool TQuestList::Load(const QuestSource &source, const TQUESTPARM &parms, TimerArea &task, int width,
                      int left, int top)
{
    Clear();
    m_step = parms.HorizontalStep;
    const std::filesystem::path file = std::filesystem::path(source.file).is_absolute()
        ? ResolveExistingPath(source.file)
        : ResolveDataPath(source.dataDir, source.file);
    if (!ReadXmlFile(m_doc, file) || !m_doc.document_element()) {
        report("Ошибка", "Файл вопросник не найден (" + source.file + ")");
        return false;
    }
    const XmlNode qs = SelectNode(m_doc, "//QS");
    task.LimitMin = GetAttrInt(qs, "LimitMin", 0);
    task.LimitSec = GetAttrInt(qs, "LimitSec", 0);
    task.NormalizeTime();
    const bool limited = task.LimitMin > 0 || task.LimitSec > 0;
    task.SecondsUsed = limited ? std::optional<int>(0) : std::nullopt;
    if (limited && task.Timer)
        task.Timer->setEnabled(true);

    std::vector<XmlNode> questions;
    for (XmlNode q : qs.children("Q"))
        questions.push_back(q);
    m_count = std::max(0, GetAttrInt(qs, "Count", 0));

    const QuestContext context {parms,      m_family,       source.language, m_random,
                                m_pictures, source.dataDir, m_kindHint};
    m_random.reseedFromClock();
    int y = top;
    for (int draws = 0; draws < MaxDraws && Places() < m_count && !questions.empty(); ++draws) {
        const int r = m_random.below(static_cast<int>(questions.size()));
        if (std::find(m_drawn.begin(), m_drawn.end(), r) != m_drawn.end())
            continue;
        std::unique_ptr<TQuestion> question;
        try {
            question = std::make_unique<TQuestion>(context, questions[static_cast<std::size_t>(r)], Places(),
                                                   left, y, width);
        } catch (const QuestPictureError &e) {
            report("Ошибка", FormatText("Не загружена картинка вопроса %1", {e.picture()}));
            return false;
        }
        y += question->Height + PanelGap;
        m_widest = std::max(m_widest, question->WidenedWidth);
        m_drawn.push_back(r);
        m_questions.push_back(std::move(question));
    }
    if (Places() < m_count) {
        // The caption and the text stand this way round in every course the program has shown.
        report("Не смог заполнить случайную матрицу вопросов", "Сбой");
        return false;
    }
    return true;
}

bool TQuestList::Select(int place, int box, int item)
{
    if (place < 0 || place >= Places())
        return false;
    std::vector<QuestBox> &boxes = m_questions[static_cast<std::size_t>(place)]->Boxes;
    if (box < 0 || box >= static_cast<int>(boxes.size()))
        return false;
    QuestBox &chosen = boxes[static_cast<std::size_t>(box)];
    if (item < -1 || item >= static_cast<int>(chosen.Items.size()))
        return false;
    chosen.Selected = item;
    Recount();
    return true;
}

void TQuestList::Recount()
{
    m_answered = static_cast<int>(std::count_if(m_questions.begin(), m_questions.end(),
                                                [](const auto &question) { return question->Answered(); }));
}

bool TQList::Check(bool goToFirst, QuestScroll &scroll, int viewWidth)
{
    m_answered = 0;
    m_wrong = 0;
    m_firstEmpty.reset();
    bool result = true;
    for (const std::unique_ptr<TQuestion> &question : Questions()) {
        if (!question->IsRight())
            ++m_wrong;
        const int b = question->LastEmptyBoxLeft();
        if (b < 0) {
            ++m_answered;
            continue;
        }
        result = false;
        if (!goToFirst)
            continue;
        const int step = HorizontalStep();
        const int x = b - scroll.horizontal * step;
        if (!(0 < x && x < viewWidth))
            scroll.horizontal = std::max(0, std::min(x / step, scroll.horizontalMax));
        scroll.first = question->Place;
        m_first = question->Place;
        m_firstEmpty = QuestEmptyBox {question->Place, question->FirstEmptyBox()};
        return false;
    }
    return result;
}

int TQList::Mark() const
{
    return QuestMark(m_wrong, Places());
}

int QuestMark(int wrong, int places)
{
    return places > 0 ? 5 - 3 * wrong / places : 5;
}

} // namespace pw
