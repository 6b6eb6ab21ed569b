#include "midi/midi_trace.h"

#include "platform/error.h"

namespace pw {

std::string MidiTrace::Line(int device, int status, int data1, int data2)
{
    // Line feed before carriage return, as older traces have it.
    return "Device index:" + std::to_string(device) + " aStatus: " + std::to_string(status)
        + " aData1: " + std::to_string(data1) + " aData2: " + std::to_string(data2) + "\n\r";
}

bool MidiTrace::Toggle(const std::filesystem::path &file)
{
    m_on = !m_on;
    if (m_on) {
        m_file.open(file, std::ios::binary | std::ios::trunc);
        if (!m_file) {
            m_on = false;
            throw Error("Input/output error: cannot write " + file.string());
        }
    } else {
        m_file.close();
    }
    return m_on;
}

void MidiTrace::Write(int device, int status, int data1, int data2)
{
    if (!m_on)
        return;
    m_file << Line(device, status, data1, data2);
    m_file.flush();
    if (!m_file)
        throw Error("Input/output error writing the MIDI trace");
}

} // namespace pw
