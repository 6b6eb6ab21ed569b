#pragma once

#include "platform/error.h"

namespace pw {

// A failed call to the MIDI service, with the service's own text.
class MidiError : public Error
{
public:
    using Error::Error;
};

} // namespace pw
