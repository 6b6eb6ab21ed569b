#pragma once

#include "document/xml_access.h"

#include <pugixml.hpp>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace pw {

class Localization;
class Ui;

// The keyboard octave offsets a voice may take: the piano shows five octaves.
inline constexpr int MaxOctaveOffset = 4;

// The settings file parms.xml: one "Parameters" root with the selected MIDI devices, the echo
// switch, the voice order, the keyboard octave offsets and the no-MIDI notice switch. Changes are
// made on the loaded document and written back whole at fixed moments.
class SettingsFile
{
public:
    // The file is read from and written to dataDir; when dataDir is not writable, the copy under
    // the per-user data folder is used instead. A failed save is told through ui in the language
    // of texts.
    SettingsFile(const std::filesystem::path &dataDir, Ui &ui, const Localization &texts);

    // Reads the file (missing or unreadable: empty), then makes sure the root, "MidiInput" and
    // "MidiOutput" exist, and saves. On a first start (no file at all) firstStartOutput, when
    // given, is selected as output, so that a new user hears what they play.
    void LoadAtStart(const std::string &firstStartOutput = {});
    // Writes the file; false when it cannot be written. The first failure is told once, and the
    // run goes on with the settings in memory and saves no more, rather than ask at every change.
    bool Save();
    const std::filesystem::path &path() const { return m_path; }

    XmlNode Root() const { return m_doc.document_element(); }
    pugi::xml_document &Document() { return m_doc; }

    // Names of the selected devices; kind is "MidiInput" or "MidiOutput".
    std::vector<std::string> SelectedDevices(const std::string &kind) const;
    bool IsSelected(const std::string &kind, const std::string &name) const;
    void Select(const std::string &kind, const std::string &name, bool selected);

    bool PlayOff() const;
    void SetPlayOff(bool off);
    int SpecialMoveType() const;
    void SetSpecialMoveType(int type);
    std::array<int, 4> OctaveOffsets() const;
    void SetOctaveOffsets(const std::array<int, 4> &offsets);
    bool NoMidiMessage() const;
    void SetNoMidiMessage(bool never);
    // Whether the welcome page of the first start has been shown with these settings.
    bool Welcomed() const;
    void SetWelcomed();

private:
    XmlNode deviceList(const std::string &kind) const;

    pugi::xml_document m_doc;
    std::filesystem::path m_path;
    Ui &m_ui;
    const Localization &m_texts;
    bool m_saveFailed = false;
};

} // namespace pw
