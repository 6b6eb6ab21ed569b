#pragma once

#include <QObject>

#include <functional>

namespace pw {

class TMidiInput;

// Carries every message of the MIDI input from the service's thread to the user-interface thread,
// one at a time and in arrival order, so that the document and the staff are only ever used from
// the user-interface thread.
class MidiInputBridge : public QObject
{
    Q_OBJECT
public:
    using ShortHandler = std::function<void(int device, int status, int data1, int data2)>;

    explicit MidiInputBridge(QObject *parent = nullptr);
    // Attaches the handlers to the input; they run on the thread that owns this object.
    void attach(TMidiInput &input, ShortHandler onShort, std::function<void()> onSysEx);
};

} // namespace pw
