#pragma once

#include <QRect>

class QScreen;
class QWidget;

namespace pw {

// The rectangle moved (and, when larger, shrunk) so that it lies inside bounds.
QRect KeptInside(QRect rect, const QRect &bounds);

// Lays the dialog out, then places it centred over anchor (left = anchor's left + half the width
// difference, truncated, and likewise for the top), kept on the screen the anchor is on.
void PlaceCentredOver(QWidget &dialog, const QWidget &anchor);

} // namespace pw
