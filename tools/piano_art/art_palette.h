#pragma once

#include <QColor>

// The colours of the button bitmaps, so that they read as one set on the panel's face.
namespace art {

struct Face
{
    QColor border;
    QColor top;
    QColor bottom;
    QColor glyph;
    bool sunken = false;
};

inline const Face Off {QColor(0x98, 0xa3, 0xb3), QColor(0xfb, 0xfc, 0xfe), QColor(0xdf, 0xe4, 0xeb),
                       QColor(0x34, 0x47, 0x5e)};
inline const Face Hover {QColor(0x3a, 0x78, 0xd4), QColor(0xf0, 0xf6, 0xff), QColor(0xcb, 0xdd, 0xf7),
                         QColor(0x1f, 0x5f, 0xbf)};
inline const Face Disabled {QColor(0xc8, 0xcd, 0xd5), QColor(0xf1, 0xf3, 0xf5), QColor(0xe8, 0xeb, 0xef),
                            QColor(0xb8, 0xbe, 0xc7)};
// A switch that is on looks pressed in: darker at the top.
inline const Face Pressed {QColor(0x3a, 0x78, 0xd4), QColor(0xbf, 0xd5, 0xf4), QColor(0xe1, 0xeb, 0xfb),
                           QColor(0x1f, 0x5f, 0xbf), true};

} // namespace art
