#include "quest/quest_question.h"

#include "platform/file_paths.h"

#include <algorithm>

namespace pw {

namespace {

// The gap between the parts of a panel.
constexpr int Gap = 10;
// The height of an answer box of a question without a picture.
constexpr int BoxHeight = 30;

} // namespace

std::string LanguageSuffix(QuestFamily family, const std::string &language)
{
    if (family == QuestFamily::AccTask)
        return language;
    return language.substr(0, 1);
}

TQuestion::TQuestion(const QuestContext &context, XmlNode q, int place, int left, int top, int width)
    : Place(place)
    , Left(left)
    , Top(top)
    , Width(width)
{
    const std::string suffix = LanguageSuffix(context.family, context.language);
    PictureName = GetAttr(q, "picture");
    Sound = GetAttr(q, "midi");
    loadPicture(context);
    chooseVariant(q, context.random);
    readText(q, suffix);
    readBoxes(context, q, suffix);
    layOut(context.parms);
}

void TQuestion::loadPicture(const QuestContext &context)
{
    if (PictureName.empty())
        return;
    // Question files name their pictures as seen from the program's folder, which is the data
    // folder of the course; resolving against it keeps a test independent of where it was started.
    const std::filesystem::path file = std::filesystem::path(PictureName).is_absolute()
        ? ResolveExistingPath(PictureName)
        : ResolveDataPath(context.dataDir, PictureName);
    try {
        Picture = context.pictures.load(file);
    } catch (const Error &e) {
        throw QuestPictureError(PictureName, e.what());
    }
}

void TQuestion::chooseVariant(XmlNode q, Random &random)
{
    int maxV = 0;
    for (const pugi::xpath_node &piece : SelectNodes(q, "T/V")) {
        if (GetAttr(piece.node(), "V") != "*")
            maxV = std::max(maxV, GetAttrInt(piece.node(), "V", 0));
    }
    Variant = maxV > 0 ? random.between(1, maxV) : 1;
}

void TQuestion::readText(XmlNode q, const std::string &suffix)
{
    const std::string variant = std::to_string(Variant);
    for (const pugi::xpath_node &piece : SelectNodes(q, "T/V[@V=$n or @V='*']", {{"n", variant}}))
        Text += GetAttrLang(piece.node(), "Text", suffix) + " ";
}

void TQuestion::readBoxes(const QuestContext &context, XmlNode q, const std::string &suffix)
{
    for (XmlNode a : q.children("A")) {
        QuestBox box;
        box.Element = a;
        box.X = GetAttrInt(a, "X", 0);
        box.Y = GetAttrInt(a, "Y", 0);
        box.W = GetAttrInt(a, "W", 0);
        box.Hint
            = context.family == QuestFamily::AccTask ? GetAttrLang(a, "Hint", suffix) : GetAttr(a, "Hint");
        const std::string link = GetAttr(a, "link");
        const XmlNode linked = link.empty() ? XmlNode() : SelectNode(q, "A[@name=$link]", {{"link", link}});
        if (Picture) {
            box.Graphic = GetAttr(a, "G");
            if (box.Graphic.empty() && !link.empty())
                box.Graphic = GetAttr(linked, "G");
            if (box.Hint.empty() && !box.Graphic.empty() && context.kindHint)
                box.Hint = context.kindHint(box.Graphic);
        }
        const std::string ans = GetAttr(a, "ans");
        const XmlNode owner = link.empty() ? a : linked;
        int k = 0;
        for (XmlNode item : owner.children("V")) {
            box.Items.push_back(GetAttrLang(item, "Text", suffix));
            box.Right.push_back(
                link.empty() ? static_cast<bool>(SelectNode(item, "R[@R=$n]", {{"n", double(Variant)}}))
                             : ans == std::to_string(k));
            ++k;
        }
        Boxes.push_back(std::move(box));
    }
}

// The positions the panel's parts get at creation; the text label's own height does not count,
// so the boxes of a question without a picture start at a fixed distance under the text's top.
void TQuestion::layOut(const TQUESTPARM &parms)
{
    int y = 0;
    int answerBase = 0;
    if (Picture) {
        PictureLeft = Gap;
        PictureTop = parms.NumHeight + Gap + parms.NumTop;
        y = Picture->height() + Gap + parms.NumTop;
        answerBase = parms.NumHeight + parms.NumTop - 20;
        if (Picture->width() + 40 > Width) {
            Width = Picture->width() + 40;
            WidenedWidth = Width;
        }
    }
    y = parms.TextTop + y + Gap + BoxHeight;
    for (QuestBox &box : Boxes) {
        if (Picture) {
            box.Left = box.X + Gap;
            box.Top = box.Y + answerBase;
        } else {
            box.Left = parms.DDLeft;
            box.Top = y;
            y += BoxHeight + parms.DDBetween;
        }
    }
    Height = y;
}

bool TQuestion::Answered() const
{
    return FirstEmptyBox() < 0;
}

bool TQuestion::IsRight() const
{
    return std::all_of(Boxes.begin(), Boxes.end(), [](const QuestBox &box) {
        return !box.Empty() && box.Right[static_cast<std::size_t>(box.Selected)];
    });
}

int TQuestion::FirstEmptyBox() const
{
    const auto found
        = std::find_if(Boxes.begin(), Boxes.end(), [](const QuestBox &box) { return box.Empty(); });
    return found == Boxes.end() ? -1 : static_cast<int>(found - Boxes.begin());
}

int TQuestion::LastEmptyBoxLeft() const
{
    const auto found
        = std::find_if(Boxes.rbegin(), Boxes.rend(), [](const QuestBox &box) { return box.Empty(); });
    return found == Boxes.rend() ? -1 : found->Left;
}

} // namespace pw
