#pragma once

#include "art_palette.h"

#include <QImage>
#include <QString>

#include <string>

// A 32-pixel picture button: a rounded face in the given look with the named symbol on it.
// Symbols: pause, play, enter, left, up, down, right, undo, stop, btn_letter, btn_minus, btn_plus.
QImage DrawButton(const std::string &symbol, const art::Face &face, const QString &fontFamily);
