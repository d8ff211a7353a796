# Installs the built program twice into a scratch program folder whose path holds a blank, with a booked
# income and an older program in between: the book must survive, the program be replaced, and the desktop
# entry start the installed program by its absolute path.
# Inputs: BUILD_DIR, SCRATCH, SQLITE3, DESKTOP_FILE_VALIDATE (may be empty).
cmake_minimum_required(VERSION 3.25)

set(prefix "${SCRATCH}/Orvella Book")
set(book "${prefix}/Database/Database.mdb")
set(ENV{XDG_DATA_HOME} "${SCRATCH}/share")
file(REMOVE_RECURSE "${SCRATCH}")

function(install_once)
    execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "install failed:\n${out}")
    endif()
endfunction()

function(sql statement result)
    execute_process(COMMAND "${SQLITE3}" "${book}" "${statement}"
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "sqlite3 \"${statement}\" failed: ${err}")
    endif()
    set(${result} "${out}" PARENT_SCOPE)
endfunction()

function(expect_exists path)
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "missing after install: ${path}")
    endif()
endfunction()

install_once()
foreach(path orvella orvella-db Database/Database.mdb)
    expect_exists("${prefix}/${path}")
endforeach()
# The guide with every picture it shows.
file(READ "${prefix}/help/user-guide.html" page)
string(REGEX MATCHALL "<img src=\"[^\"]+\"" pictures "${page}")
if(NOT pictures)
    message(FATAL_ERROR "the installed guide shows no pictures")
endif()
foreach(picture ${pictures})
    string(REGEX REPLACE "<img src=\"(.*)\"" "\\1" picture "${picture}")
    expect_exists("${prefix}/help/${picture}")
endforeach()
sql("SELECT count(*) FROM GMaster; SELECT count(*) FROM Income; SELECT count(*) FROM Expenses;" empty)
if(NOT empty STREQUAL "0\n0\n0")
    message(FATAL_ERROR "a fresh install should hold an empty book, holds: ${empty}")
endif()

set(entry "${SCRATCH}/share/applications/orvella.desktop")
expect_exists("${entry}")
foreach(size 16 24 32 48 64 128)
    expect_exists("${SCRATCH}/share/icons/hicolor/${size}x${size}/apps/orvella.png")
endforeach()
expect_exists("${SCRATCH}/share/icons/hicolor/scalable/apps/orvella.svg")
file(STRINGS "${entry}" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=\"${prefix}/orvella\";Exec=xdg-open \"${prefix}/help/user-guide.html\"")
    message(FATAL_ERROR "the desktop entry does not start the installed program and guide: ${exec}")
endif()
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${entry}" RESULT_VARIABLE status OUTPUT_VARIABLE out
        ERROR_VARIABLE out)
    if(NOT status EQUAL 0 OR NOT out STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate: ${out}")
    endif()
endif()

# The user books an income, and an older program stands in the folder when the new one is installed.
sql("INSERT INTO Income VALUES (1, '2024-03-31', 'Salary', 1500.5, 'March, ''with'' quotes');" ignored)
file(WRITE "${prefix}/orvella" "an older program")
install_once()

sql("SELECT IncSource || '|' || IncAmount || '|' || IncDescription FROM Income;" kept)
if(NOT kept STREQUAL "Salary|1500.5|March, 'with' quotes")
    message(FATAL_ERROR "installing again changed the book: '${kept}'")
endif()
file(SIZE "${prefix}/orvella" size)
if(size LESS 1000)
    message(FATAL_ERROR "installing again did not replace the older program")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
