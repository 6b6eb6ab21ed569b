#pragma once

namespace pw {

// What note entry asks of the staff view while it moves the cursor: where to scroll, the cursor
// mark, and a new layout when a measure is appended. The main window gives the real staff view;
// headless callers may leave these to a NullEntryView.
class EntryView
{
public:
    virtual ~EntryView() = default;
    // Rows to scroll so that the cursor's system is visible.
    virtual int CursorScrollRows() = 0;
    // Draws (show) or erases the cursor at its current place.
    virtual void DrawCursor(bool show) = 0;
    // The part's measures changed in number: lay it out again.
    virtual void RelayoutPart(int part) = 0;
};

class NullEntryView : public EntryView
{
public:
    int CursorScrollRows() override { return 0; }
    void DrawCursor(bool) override { }
    void RelayoutPart(int) override { }
};

} // namespace pw
