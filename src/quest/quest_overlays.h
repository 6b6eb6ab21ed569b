#pragma once

// The overlay kinds of sys.xml: small bitmaps drawn onto a question's picture around an answer
// box, anchored to the box and sized by the box's own attributes where it gives them.

#include "document/xml_access.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/ui.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pw {

class TQuestion;

// A kind holds at most this many bitmaps.
inline constexpr int MaxOverlayBitmaps = 4;

struct OverlayBitmap
{
    std::shared_ptr<const Bitmap> picture;
    // Placement inside the group: XF "R" or "L", YF "T" or "A".
    std::string XF;
    std::string YF;
    int XO = 0;
    int YO = 0;
    int XS = 0;
    int YS = 0;
    // 0 draws nothing, 255 fully opaque.
    int TRA = 0;
};

struct OneAddGraf
{
    std::string N;
    std::string Hint;
    // Anchoring of the group to the box: XF "R", "L" or "A", YF "T", "B" or "A".
    std::string XF;
    std::string YF;
    std::vector<OverlayBitmap> bitmaps;
};

// Where one bitmap of a kind lands on the picture, and how opaque.
struct OverlayPlacement
{
    const OverlayBitmap *bitmap = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class AddGrafs
{
public:
    explicit AddGrafs(Ui &ui)
        : m_ui(ui)
    {
    }

    // The G children of qparms (sys.xml's //Parameters/QParms), in order; each Bitmap's file is
    // folder/res/FILE.png. A kind with more than four bitmaps, an opacity outside 0..255 or a
    // picture that cannot be loaded throws Error: sys.xml is then unusable. A null qparms gives no
    // kinds.
    void LoadKinds(XmlNode qparms, const std::filesystem::path &folder, BitmapLoader &loader);

    // Draws kind id onto a picture: x is the box's X, y its Y - 6, w and h its size; answer is the
    // box's A element with the per-box offsets and sizes. An empty id draws nothing; an unknown
    // one is reported through the Ui.
    void DrawKind(const std::string &id, Canvas &canvas, int x, int y, int w, int h, XmlNode answer) const;
    // The kind's hint in the interface language, empty for an empty or unknown id.
    std::string KindHint(const std::string &id) const;
    // For QuestContext::kindHint; the function refers to this object.
    std::function<std::string(const std::string &)> HintFunction() const
    {
        return [this](const std::string &id) { return KindHint(id); };
    }
    // Hints are written in Russian in sys.xml; this gives them in the interface language.
    void SetTranslation(std::function<std::string(const std::string &)> translate)
    {
        m_translate = std::move(translate);
    }

    // The first kind named id, or null.
    const OneAddGraf *Find(const std::string &id) const;
    const std::vector<OneAddGraf> &Kinds() const { return m_kinds; }

private:
    Ui &m_ui;
    std::vector<OneAddGraf> m_kinds;
    std::function<std::string(const std::string &)> m_translate;
};

// folder/res/FILE.png: the bitmaps carry their alpha, which the BMP files of old could not.
std::filesystem::path OverlayBitmapFile(const std::filesystem::path &folder, const std::string &file);

// The rectangles of the bitmaps of kind for a box at (x, y) of size w x h, in drawing order.
std::vector<OverlayPlacement> PlaceKind(const OneAddGraf &kind, int x, int y, int w, int h, XmlNode answer);

// Every box of a question that names a kind, drawn onto canvas (the question's picture) where the
// panel puts it: at (X, Y - 6) with the box's width and boxHeight.
void DrawQuestionOverlays(const AddGrafs &grafs, const TQuestion &question, Canvas &canvas, int boxHeight);

} // namespace pw
