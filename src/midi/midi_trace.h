#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace pw {

// The optional trace of every MIDI message, one line each, in midi.log of the data directory.
class MidiTrace
{
public:
    // Switches the trace; switching on empties the file. Returns the new state.
    bool Toggle(const std::filesystem::path &file);
    bool On() const { return m_on; }
    // Writes and flushes one line; an error writing is raised as an input/output error.
    void Write(int device, int status, int data1, int data2);

    static std::string Line(int device, int status, int data1, int data2);

private:
    bool m_on = false;
    std::ofstream m_file;
};

} // namespace pw
