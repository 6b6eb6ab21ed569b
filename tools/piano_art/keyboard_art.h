#pragma once

#include <QImage>
#include <QString>

// One octave of the piano, C to B, on the panel's pixel grid. With letters, the keys carry the
// computer keys that play them: the lower lettered octave (A to J) or the upper one (K to \).
enum class OctaveLetters { None, Lower, Upper };

QImage DrawOctave(OctaveLetters letters, const QString &fontFamily);

// The marker under the octave that starts at middle C.
QImage DrawFirstOctaveMarker();
