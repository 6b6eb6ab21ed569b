#pragma once

// One question of a test as drawn from a question file: its text for the variant chosen, its
// picture and sound, and its answer boxes with the items that are right for that variant.

#include "document/xml_access.h"
#include "platform/bitmap.h"
#include "platform/error.h"
#include "platform/random.h"
#include "quest/quest_parms.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pw {

// The scored test ("Quest") and the unscored sheet ("AccTask") read the same files; they differ
// in how localised attributes are named and in whether a box's hint is localised.
enum class QuestFamily { Quest, AccTask };

// The suffix of localised attributes: the first letter of the language for a test, the whole name
// for a sheet.
std::string LanguageSuffix(QuestFamily family, const std::string &language);

// A question's picture that could not be loaded: the load of the test stops there.
class QuestPictureError : public Error
{
public:
    QuestPictureError(const std::string &picture, const std::string &reason)
        : Error(reason)
        , m_picture(picture)
    {
    }
    const std::string &picture() const { return m_picture; }

private:
    std::string m_picture;
};

struct QuestBox
{
    // Where the question file puts the box on the picture.
    int X = 0;
    int Y = 0;
    int W = 0;
    std::string Hint;
    // The overlay kind drawn on the picture under the box; only a question with a picture has one.
    std::string Graphic;
    // The A element: an overlay reads its offsets and sizes from it.
    XmlNode Element;
    std::vector<std::string> Items;
    // One flag per item: right for the variant drawn.
    std::vector<bool> Right;
    // The item chosen, -1 while the box is empty.
    int Selected = -1;
    // Position in the question's panel as laid out at creation.
    int Left = 0;
    int Top = 0;

    bool Empty() const { return Selected < 0; }
};

// What creating a question needs besides its Q element.
struct QuestContext
{
    const TQUESTPARM &parms;
    QuestFamily family;
    std::string language;
    Random &random;
    BitmapLoader &pictures;
    std::filesystem::path dataDir;
    // The hint of an overlay kind, for a box without a hint of its own; may be empty.
    std::function<std::string(const std::string &)> kindHint;
};

class TQuestion
{
public:
    // Throws QuestPictureError when the picture cannot be loaded.
    TQuestion(const QuestContext &context, XmlNode q, int place, int left, int top, int width);

    // A question is answered when no box is empty, right when every box holds a right item; one
    // without boxes is both.
    bool Answered() const;
    bool IsRight() const;
    // The first empty box, -1 when none.
    int FirstEmptyBox() const;
    // The left edge of the last empty box, -1 when none.
    int LastEmptyBoxLeft() const;

    int Place = 0;
    int Variant = 1;
    // The pieces of the variant, each followed by one blank.
    std::string Text;
    std::string PictureName;
    std::unique_ptr<Bitmap> Picture;
    // Relative to the data directory; the question gets a play button.
    std::string Sound;
    std::vector<QuestBox> Boxes;

    // The panel as created: its place, its width (widened by a wide picture) and its height.
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    // The width a picture widened the panel to, 0 when it did not.
    int WidenedWidth = 0;
    // Where the picture sits in the panel.
    int PictureLeft = 0;
    int PictureTop = 0;

private:
    void chooseVariant(XmlNode q, Random &random);
    void readText(XmlNode q, const std::string &suffix);
    void loadPicture(const QuestContext &context);
    void readBoxes(const QuestContext &context, XmlNode q, const std::string &suffix);
    void layOut(const TQUESTPARM &parms);
};

using TQQuest = TQuestion;
using TAQuest = TQuestion;

} // namespace pw
