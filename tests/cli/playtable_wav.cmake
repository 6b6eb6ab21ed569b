# playtable --wav: one row per MidiTemp (200 ms in the bundled sys.xml), then one second of ring-out,
# 44.1 kHz stereo 16-bit, and not silent while the first chord sounds.
file(REMOVE ${WAV})
execute_process(COMMAND ${CLI} playtable ${FILE} --wav ${WAV} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "playtable failed: ${rc}")
endif()
file(SIZE ${WAV} size)
# Five rows and the tick that stops after the last: 1.2 s, plus 1 s.
math(EXPR expected "44 + (1200 + 1000) * 441 / 10 * 4")
if(NOT size EQUAL expected)
    message(FATAL_ERROR "${WAV} has ${size} bytes, expected ${expected}")
endif()
file(READ ${WAV} samples OFFSET 20000 LIMIT 400 HEX)
if(samples MATCHES "^0+$")
    message(FATAL_ERROR "the first chord is silent")
endif()
