#pragma once

#include <QImage>
#include <QPainterPath>
#include <QString>

namespace drill_art {

// The two octaves from C4, the C keys named in labelFamily.
QImage DrawKeyboardPicture(const QString &labelFamily);

// The outlines the staff picture is drawn with, from the music font at one staff space a quarter
// of the em, each with its origin on the baseline.
struct StaffGlyphs
{
    QPainterPath trebleClef;
    QPainterPath wholeNote;
};

// The treble staff with C4 … B5 as whole notes, one per column; a null image when the clef does
// not fit left of the first column.
QImage DrawStaffPicture(const StaffGlyphs &glyphs);

} // namespace drill_art
