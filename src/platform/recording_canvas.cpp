#include "platform/recording_canvas.h"

#include "platform/error.h"

#include <algorithm>

namespace pw {

RecordingCanvas::Call RecordingCanvas::current(Kind kind) const
{
    Call call;
    call.kind = kind;
    call.pen = penColor();
    call.penWidth = penWidth();
    call.brush = brush();
    call.font = font();
    return call;
}

void RecordingCanvas::line(int x1, int y1, int x2, int y2)
{
    Call call = current(Kind::Line);
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    calls.push_back(call);
}

void RecordingCanvas::rectangle(int left, int top, int right, int bottom)
{
    Call call = current(Kind::Rectangle);
    call.x1 = left;
    call.y1 = top;
    call.x2 = right;
    call.y2 = bottom;
    calls.push_back(call);
}

void RecordingCanvas::text(int x, int y, std::string_view utf8)
{
    Call call = current(Kind::Text);
    call.x1 = x;
    call.y1 = y;
    call.text = utf8;
    calls.push_back(call);
}

void RecordingCanvas::bitmap(int x, int y, const Bitmap &bitmap, bool transparent)
{
    Call call = current(Kind::Bitmap);
    call.x1 = x;
    call.y1 = y;
    call.x2 = x + bitmap.width();
    call.y2 = y + bitmap.height();
    call.text = bitmap.name();
    call.transparent = transparent;
    calls.push_back(call);
}

void RecordingCanvas::bitmap(int x, int y, int width, int height, const Bitmap &bitmap, int opacity)
{
    Call call = current(Kind::Bitmap);
    call.x1 = x;
    call.y1 = y;
    call.x2 = x + width;
    call.y2 = y + height;
    call.text = bitmap.name();
    call.opacity = opacity;
    calls.push_back(call);
}

void RecordingCanvas::fillWhite()
{
    calls.push_back(current(Kind::Fill));
}

std::vector<RecordingCanvas::Call> RecordingCanvas::of(Kind kind) const
{
    std::vector<Call> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [kind](const Call &c) { return c.kind == kind; });
    return found;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::texts(std::string_view text) const
{
    std::vector<Call> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [text](const Call &c) { return c.kind == Kind::Text && c.text == text; });
    return found;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::bitmaps(std::string_view name) const
{
    std::vector<Call> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [name](const Call &c) { return c.kind == Kind::Bitmap && c.text == name; });
    return found;
}

std::unique_ptr<Bitmap> RecordingBitmapLoader::load(const std::filesystem::path &file)
{
    const std::string name = file.filename().string();
    if (missing.count(name))
        throw Error("Cannot load the bitmap " + file.string());
    loaded.push_back(file);
    return std::make_unique<Bitmap>(name, m_width, m_height);
}

} // namespace pw
