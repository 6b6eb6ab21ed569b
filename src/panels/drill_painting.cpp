#include "panels/drill_painting.h"

#include "config/localization.h"
#include "platform/bitmap.h"

#include <algorithm>

namespace pw {

namespace {

constexpr int TextSize = 12;
constexpr int MessageLineHeight = 24;
constexpr Color ListColor = MakeColor(0, 0, 0);

CanvasFont drillFont(Color color, bool bold)
{
    CanvasFont font;
    font.name = "Times New Roman";
    font.size = TextSize;
    font.bold = bold;
    font.color = color;
    return font;
}

void fill(Canvas &canvas, const PixelRect &rect, Color color)
{
    canvas.setPen(color, 1);
    canvas.setBrush(color);
    canvas.rectangle(rect.left, rect.top, rect.right(), rect.bottom());
}

void markNote(Canvas &canvas, const NoteDrill &drill, int key, Color color)
{
    const DrillSettings &s = drill.Settings();
    if (const std::optional<PixelRect> keyboard = drill.KeyboardRect()) {
        const KeyboardGeometry geometry(keyboard->width, keyboard->height, s.keyboardCount);
        if (std::optional<PixelRect> rect = geometry.KeyRect(key, s.keyboardInset)) {
            rect->left += keyboard->left;
            rect->top += keyboard->top;
            fill(canvas, *rect, color);
        }
    }
    if (const std::optional<PixelRect> staff = drill.StaffRect()) {
        const StaffGeometry geometry(s, staff->width, staff->height);
        if (std::optional<PixelRect> rect = geometry.KeyRect(key)) {
            rect->left += staff->left;
            rect->top += staff->top;
            fill(canvas, *rect, color);
        }
    }
}

void paintIntervalList(Canvas &canvas, const NoteDrill &drill, const DrillTexts &texts)
{
    const int rowHeight = drill.IntervalRowHeight();
    const std::optional<int> correct = drill.CorrectRow();
    for (int row = 1; row <= drill.Settings().intervalCount; ++row) {
        const bool right = correct == row;
        canvas.setFont(drillFont(right ? DrillGreen : ListColor, right));
        const int top = (row - 1) * rowHeight + std::max(0, (rowHeight - 2 * TextSize) / 2);
        canvas.text(DrillListX, top, texts.intervals[static_cast<std::size_t>(row - 1)]);
    }
}

void paintMessage(Canvas &canvas, const NoteDrill &drill, const DrillTexts &texts, int areaRight)
{
    const int y = drill.MessageLineY();
    fill(canvas, {DrillMessageX, y, std::max(0, areaRight - DrillMessageX), MessageLineHeight}, White);
    const std::string *text = nullptr;
    Color color = DrillRed;
    switch (drill.Message()) {
    case DrillMessage::TimeOut:
        text = &texts.timeOut;
        break;
    case DrillMessage::Success:
        text = &texts.success;
        color = DrillGreen;
        break;
    case DrillMessage::Exhausted:
        text = &texts.exhausted;
        break;
    case DrillMessage::None:
    case DrillMessage::Neutral:
        return;
    }
    canvas.setFont(drillFont(color, true));
    canvas.text(DrillMessageX, y, *text);
}

} // namespace

DrillTexts DrillTextsFrom(const Localization &texts)
{
    DrillTexts out;
    for (std::size_t i = 0; i < out.intervals.size(); ++i)
        out.intervals[i] = texts.Text("NoteDrill", "Interval" + std::to_string(i + 1));
    out.timeOut = texts.Text("NoteDrill", "TimeOut");
    out.success = texts.Text("NoteDrill", "Success");
    out.exhausted = texts.Text("NoteDrill", "Exhausted");
    return out;
}

void PaintDrill(Canvas &canvas, const NoteDrill &drill, const DrillPictures &pictures,
                const DrillTexts &texts, bool withHint)
{
    canvas.fillWhite();
    if (const std::optional<PixelRect> staff = drill.StaffRect(); staff && pictures.staff)
        canvas.bitmap(staff->left, staff->top, *pictures.staff, false);
    if (const std::optional<PixelRect> keyboard = drill.KeyboardRect(); keyboard && pictures.keyboard)
        canvas.bitmap(keyboard->left, keyboard->top, *pictures.keyboard, false);
    if (IsIntervalNameType(drill.Settings().type))
        paintIntervalList(canvas, drill, texts);
    if (withHint) {
        if (const std::optional<int> hint = drill.HintKey())
            markNote(canvas, drill, *hint, DrillHintColor);
    }
    for (const NoteMark &mark : drill.Marks())
        markNote(canvas, drill, mark.key, mark.color);
    paintMessage(canvas, drill, texts, drill.AreaWidth());
}

} // namespace pw
