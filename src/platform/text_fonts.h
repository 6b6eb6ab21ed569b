#pragma once

#include <QString>

#include <string>

namespace pw {

// The data files name Windows text fonts (Arial, Times New Roman). Each is drawn with its
// metric-compatible free face from fonts-liberation2, registered with Qt on first use, so that
// a text looks and measures the same on every machine whatever else fontconfig would pick
// (fonts-urw-base35, for one, maps Arial to Nimbus Sans). Other names are passed through.
QString TextFontFamily(const std::string &named);

// Registers the faces and makes the Windows names substitute to them, for texts Qt lays out by
// family name itself (pages, widgets). Called once at start; TextFontFamily calls it too.
void RegisterTextFonts();

} // namespace pw
