# A daily backup of the installed book: a systemd --user service running
# `orvella-db backup Database/Database.mdb --to Database/Backups` in the program folder, and its timer, one
# pair per program folder, named after it. Run from the install script with ORVELLA_FOLDER, the program
# folder as it is used once installed.
#
# The units are the user's own, in $XDG_CONFIG_HOME/systemd/user (~/.config/systemd/user); a package staged
# with DESTDIR carries them in /usr/lib/systemd/user under it. Only `make install` without DESTDIR enables
# the timer (it sets ORVELLA_ENABLE_BACKUP_TIMER), and only when `systemctl --user` answers.
if(ORVELLA_FOLDER MATCHES "\n")
    message(FATAL_ERROR "A program folder whose name holds a line break cannot be named in a systemd unit")
endif()
set(destdir "$ENV{DESTDIR}")
if(destdir)
    set(unit_folder "${destdir}/usr/lib/systemd/user")
elseif(DEFINED ENV{XDG_CONFIG_HOME} AND NOT "$ENV{XDG_CONFIG_HOME}" STREQUAL "")
    set(unit_folder "$ENV{XDG_CONFIG_HOME}/systemd/user")
else()
    set(unit_folder "$ENV{HOME}/.config/systemd/user")
endif()

# The folder's name as `systemd-escape --path` gives it: '/' becomes '-', other bytes than letters, digits,
# ':', '_' and a '.' that does not lead become \xNN.
string(REGEX REPLACE "/+" "/" path "${ORVELLA_FOLDER}")
string(REGEX REPLACE "^/|/$" "" path "${path}")
set(escaped "")
string(LENGTH "${path}" length)
if(length GREATER 0)
    math(EXPR last "${length} - 1")
    foreach(index RANGE ${last})
        string(SUBSTRING "${path}" ${index} 1 byte)
        if(byte STREQUAL "/")
            string(APPEND escaped "-")
        elseif(byte MATCHES "^[A-Za-z0-9:_]$" OR (byte STREQUAL "." AND index GREATER 0))
            string(APPEND escaped "${byte}")
        else()
            string(HEX "${byte}" hex)
            string(APPEND escaped "\\x${hex}")
        endif()
    endforeach()
endif()
set(unit "orvella-backup-${escaped}")

# A word of a unit file: '%' starts a specifier everywhere, and '$' a variable in ExecStart's arguments, each
# of which is quoted, with C escapes for '\' and '"'. systemd refuses quotes and backslashes in the name of
# the command itself, so env starts orvella-db, whose path is then an argument like any other.
function(unit_text text result)
    string(REPLACE "%" "%%" text "${text}")
    string(REPLACE "$" "$$" text "${text}")
    set(${result} "${text}" PARENT_SCOPE)
endfunction()
function(exec_argument text result)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    unit_text("${text}" text)
    set(${result} "\"${text}\"" PARENT_SCOPE)
endfunction()

unit_text("Daily backup of the Orvella book in ${ORVELLA_FOLDER}" description)
exec_argument("${ORVELLA_FOLDER}/orvella-db" tool)
exec_argument("${ORVELLA_FOLDER}/Database/Database.mdb" book)
exec_argument("${ORVELLA_FOLDER}/Database/Backups" backups)

# Written under a plain name and renamed: file(WRITE) would make folders of the parts between the '\' of
# an escaped name.
file(WRITE "${unit_folder}/orvella-backup.service.new" "[Unit]
Description=${description}

[Service]
Type=oneshot
Nice=10
IOSchedulingClass=idle
ExecStart=/usr/bin/env ${tool} backup ${book} --to ${backups}
")
# Persistent: a day the computer was off is caught up at the next start.
file(WRITE "${unit_folder}/orvella-backup.timer.new" "[Unit]
Description=${description}

[Timer]
OnCalendar=daily
Persistent=true
RandomizedDelaySec=10min

[Install]
WantedBy=timers.target
")
foreach(kind service timer)
    file(RENAME "${unit_folder}/orvella-backup.${kind}.new" "${unit_folder}/${unit}.${kind}")
endforeach()
message(STATUS "Installing: ${unit_folder}/${unit}.service and .timer")

if(NOT destdir AND NOT "$ENV{ORVELLA_ENABLE_BACKUP_TIMER}" STREQUAL "")
    execute_process(COMMAND systemctl --user daemon-reload RESULT_VARIABLE reloaded OUTPUT_QUIET ERROR_QUIET)
    if(reloaded EQUAL 0)
        execute_process(COMMAND systemctl --user enable --now "${unit}.timer" RESULT_VARIABLE enabled)
    endif()
    if(NOT reloaded EQUAL 0 OR NOT enabled EQUAL 0)
        message(STATUS "The daily backup is not enabled: systemctl --user did not answer. Once logged in, run: "
            "systemctl --user daemon-reload && systemctl --user enable --now '${unit}.timer'")
    else()
        message(STATUS "The daily backup into ${ORVELLA_FOLDER}/Database/Backups is enabled: ${unit}.timer")
    endif()
endif()
