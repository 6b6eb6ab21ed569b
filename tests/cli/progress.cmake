# partwriter-cli progress beyond its output formats: a missing log prints nothing and succeeds, a
# broken one is reported and fails without being moved or touched, the default log is the one
# under $XDG_DATA_HOME, and reading leaves no journal files behind.
# -DCLI=partwriter-cli -DLOG=a log made by progress_log_maker, -DCUT=one made with --cut,
# -DOUT=a scratch folder
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/home/Partwriter)

function(progress)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${OUT}/home ${CLI} progress ${ARGN}
        RESULT_VARIABLE code OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
    set(rc ${code} PARENT_SCOPE)
    set(out "${stdout}" PARENT_SCOPE)
    set(err "${stderr}" PARENT_SCOPE)
endfunction()

progress(--db ${OUT}/absent.sqlite)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "")
    message(FATAL_ERROR "a missing log gave ${rc}, stdout '${out}', stderr '${err}'")
endif()
progress()
if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "no log in the default place gave ${rc}, stdout '${out}', stderr '${err}'")
endif()
if(EXISTS ${OUT}/home/Partwriter/progress.sqlite)
    message(FATAL_ERROR "reading made a log")
endif()

# The default log: $XDG_DATA_HOME/Partwriter/progress.sqlite, read without leaving files beside it.
file(COPY_FILE ${LOG} ${OUT}/home/Partwriter/progress.sqlite)
progress(--csv)
# (execute_process turns the CSV's CRLF into LF; cli.progress.csv sees the real line ends.)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^id,menu_file,[^\n]*\n1,[^\n]*\n3,[^\n]*\n2,[^\n]*\n$")
    message(FATAL_ERROR "the default log gave ${rc}, stdout '${out}', stderr '${err}'")
endif()
file(GLOB beside ${OUT}/home/Partwriter/*)
if(NOT beside STREQUAL "${OUT}/home/Partwriter/progress.sqlite")
    message(FATAL_ERROR "reading left files beside the log: ${beside}")
endif()

# Broken logs: not a database, and a database cut short; each told on stderr, exit 1, left as it was.
file(WRITE ${OUT}/text.sqlite "this is not a database at all, just text that is long enough")
file(COPY_FILE ${CUT} ${OUT}/cut.sqlite)
foreach(case "text;is not a database" "cut;is damaged: ")
    list(GET case 0 name)
    list(GET case 1 reason)
    file(SHA256 ${OUT}/${name}.sqlite before)
    progress(--db ${OUT}/${name}.sqlite)
    if(NOT rc EQUAL 1 OR NOT out STREQUAL ""
       OR NOT err MATCHES "^error: the progress log ${OUT}/${name}.sqlite ${reason}[^\n]*\n$")
        message(FATAL_ERROR "the broken log ${name} gave ${rc}, stdout '${out}', stderr '${err}'")
    endif()
    file(SHA256 ${OUT}/${name}.sqlite after)
    file(GLOB beside ${OUT}/${name}.sqlite?*)
    if(NOT before STREQUAL after OR beside)
        message(FATAL_ERROR "the broken log ${name} was changed, or files were left beside it: ${beside}")
    endif()
endforeach()
