#include "quest/quest_overlays.h"

#include "platform/error.h"
#include "platform/file_paths.h"
#include "platform/text_format.h"
#include "quest/quest_question.h"

namespace pw {

namespace {

// Where the kind is named in messages about sys.xml.
std::string where(const std::string &id)
{
    return FormatText("sys.xml, вид накладываемой графики %1", {id});
}

OverlayBitmap readBitmap(XmlNode node, const std::string &id, const std::filesystem::path &folder,
                         BitmapLoader &loader)
{
    OverlayBitmap b;
    const std::string file = GetAttr(node, "file");
    const std::filesystem::path path = OverlayBitmapFile(folder, file);
    try {
        b.picture = loader.load(path);
    } catch (const Error &e) {
        throw Error(FormatText("Файл %1 не загружен: %2", {path.string(), e.what()}));
    }
    b.XF = GetAttr(node, "XF");
    b.YF = GetAttr(node, "YF");
    b.XO = GetAttrInt(node, "XO", 0);
    b.YO = GetAttrInt(node, "YO", 0);
    b.XS = GetAttrInt(node, "XS", 0);
    b.YS = GetAttrInt(node, "YS", 0);
    b.TRA = GetAttrInt(node, "TRA", 0);
    if (b.TRA < 0 || b.TRA > 255)
        throw RangeError(FormatText("%1: атрибут «%2» = %3 вне допустимых значений %4…%5",
                                    {where(id), "TRA", std::to_string(b.TRA), "0", "255"}));
    return b;
}

} // namespace

std::filesystem::path OverlayBitmapFile(const std::filesystem::path &folder, const std::string &file)
{
    return ResolveDataPath(folder, "res\\" + file + ".png");
}

void AddGrafs::LoadKinds(XmlNode qparms, const std::filesystem::path &folder, BitmapLoader &loader)
{
    m_kinds.clear();
    for (XmlNode g : qparms.children("G")) {
        OneAddGraf kind;
        kind.N = GetAttr(g, "N");
        kind.Hint = GetAttr(g, "Hint");
        kind.XF = GetAttr(g, "XF");
        kind.YF = GetAttr(g, "YF");
        for (XmlNode b : g.children("Bitmap")) {
            if (kind.bitmaps.size() == MaxOverlayBitmaps)
                throw RangeError(FormatText("%1: больше %2 элементов «%3»",
                                            {where(kind.N), std::to_string(MaxOverlayBitmaps), "Bitmap"}));
            kind.bitmaps.push_back(readBitmap(b, kind.N, folder, loader));
        }
        m_kinds.push_back(std::move(kind));
    }
}

const OneAddGraf *AddGrafs::Find(const std::string &id) const
{
    for (const OneAddGraf &kind : m_kinds) {
        if (kind.N == id)
            return &kind;
    }
    return nullptr;
}

std::string AddGrafs::KindHint(const std::string &id) const
{
    const OneAddGraf *kind = id.empty() ? nullptr : Find(id);
    if (!kind)
        return {};
    return m_translate && !kind->Hint.empty() ? m_translate(kind->Hint) : kind->Hint;
}

void AddGrafs::DrawKind(const std::string &id, Canvas &canvas, int x, int y, int w, int h,
                        XmlNode answer) const
{
    if (id.empty())
        return;
    const OneAddGraf *kind = Find(id);
    if (!kind) {
        m_ui.message("Ошибка!", "Не найден вид накладываемой графики :" + id);
        return;
    }
    for (const OverlayPlacement &place : PlaceKind(*kind, x, y, w, h, answer)) {
        // Nothing to blend: the picture stays as it is.
        if (place.bitmap->TRA <= 0 || place.width <= 0 || place.height <= 0)
            continue;
        canvas.bitmap(place.x, place.y, place.width, place.height, *place.bitmap->picture, place.bitmap->TRA);
    }
}

std::vector<OverlayPlacement> PlaceKind(const OneAddGraf &kind, int x, int y, int w, int h, XmlNode answer)
{
    const int XO = GetAttrInt(answer, "XO", 0);
    const int YO = GetAttrInt(answer, "YO", 0);
    int gx = x;
    int gy = y;
    if (kind.XF == "R")
        gx = x + w + XO;
    else if (kind.XF == "L")
        gx = x + XO;
    else if (kind.XF == "A")
        gx = XO;
    if (kind.YF == "T")
        gy = y + YO - h + 1;
    else if (kind.YF == "B")
        gy = y + YO;
    else if (kind.YF == "A")
        gy = YO;
    const int gw = GetAttrInt(answer, "XS", w);
    const int gh = GetAttrInt(answer, "YS", h);

    std::vector<OverlayPlacement> placements;
    for (std::size_t i = 0; i < kind.bitmaps.size(); ++i) {
        const OverlayBitmap &b = kind.bitmaps[i];
        const std::string n = std::to_string(i);
        const int xo = GetAttrInt(answer, "XO" + n, b.XO);
        const int yo = GetAttrInt(answer, "YO" + n, b.YO);
        OverlayPlacement p {&b, gx, gy, GetAttrInt(answer, "XS" + n, b.XS),
                            GetAttrInt(answer, "YS" + n, b.YS)};
        if (p.width == 0 && !kind.XF.empty())
            p.width = gw;
        if (b.XF == "R")
            p.x = kind.XF == "A" ? xo + gx + gw : xo + gx + gw - p.width;
        else if (b.XF == "L")
            p.x = xo + gx;
        // The height as the box gives it, before it falls back to the group's.
        if (b.YF == "T")
            p.y = yo + gy - p.height - gh + 1;
        else if (b.YF == "A")
            p.y = yo + gy;
        if (p.height == 0 && !kind.YF.empty())
            p.height = gh;
        placements.push_back(p);
    }
    return placements;
}

void DrawQuestionOverlays(const AddGrafs &grafs, const TQuestion &question, Canvas &canvas, int boxHeight)
{
    if (!question.Picture)
        return;
    for (const QuestBox &box : question.Boxes)
        grafs.DrawKind(box.Graphic, canvas, box.X, box.Y - 6, box.W, boxHeight, box.Element);
}

} // namespace pw
