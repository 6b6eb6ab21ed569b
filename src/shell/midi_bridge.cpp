#include "shell/midi_bridge.h"

#include "midi/midi_devices.h"

#include <QMetaObject>

namespace pw {

MidiInputBridge::MidiInputBridge(QObject *parent)
    : QObject(parent)
{
}

void MidiInputBridge::attach(TMidiInput &input, ShortHandler onShort, std::function<void()> onSysEx)
{
    // Queued calls to one receiver are delivered in the order they were posted.
    input.OnShortMessage = [this, onShort](int device, int status, int data1, int data2) {
        QMetaObject::invokeMethod(
            this, [onShort, device, status, data1, data2] { onShort(device, status, data1, data2); },
            Qt::QueuedConnection);
    };
    input.OnSysEx = [this, onSysEx](int, const std::vector<std::uint8_t> &) {
        QMetaObject::invokeMethod(
            this, [onSysEx] { onSysEx(); }, Qt::QueuedConnection);
    };
}

} // namespace pw
