# export --analyze -l English of the worked cadence into OUT: a MusicXML 4.0 score whose A minor part
# has its own key and the leading tone G sharp in the tenor, the analysis under the bass in English, a double bar
# after each part; the same score on standard output with -o -.
file(REMOVE ${OUT})
execute_process(COMMAND ${CLI} export ${FILE} --analyze -l English -o ${OUT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "")
    message(FATAL_ERROR "export gave ${rc}, stdout '${out}', stderr '${err}'")
endif()
file(READ ${OUT} score)
foreach(expected
        "^<\\?xml version=\"1.0\" encoding=\"UTF-8\"\\?>\n<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\""
        "<score-partwise version=\"4.0\">"
        "<part-name>Choir</part-name>"
        "<words>Exercise 1</words>.*<words>Exercise 2</words>"
        "<fifths>0</fifths>[\n\t]*<mode>major</mode>.*<fifths>0</fifths>[\n\t]*<mode>minor</mode>"
        "<step>G</step>[\n\t]*<alter>1</alter>[\n\t]*<octave>3</octave>"
        "<voice>4</voice>[\n\t]*<type>quarter</type>[\n\t]*<stem>down</stem>[\n\t]*<staff>2</staff>[\n\t]*<lyric number=\"1\">[\n\t]*<syllabic>single</syllabic>[\n\t]*<text>S</text>[\n\t]*</lyric>[\n\t]*<lyric number=\"2\">[\n\t]*<syllabic>single</syllabic>[\n\t]*<text>harm.</text>"
        "<bar-style>light-light</bar-style>.*<bar-style>light-light</bar-style>")
    if(NOT score MATCHES "${expected}")
        message(FATAL_ERROR "${OUT} does not match ${expected}:\n${score}")
    endif()
endforeach()
execute_process(COMMAND ${CLI} export ${FILE} --analyze -l English -o - RESULT_VARIABLE rc OUTPUT_VARIABLE piped)
if(NOT rc EQUAL 0 OR NOT piped STREQUAL score)
    message(FATAL_ERROR "-o - gave ${rc} and another score:\n${piped}")
endif()
