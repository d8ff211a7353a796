# Installs into a program folder whose name holds a blank, '%', '$' and a quote, with a home and a config
# folder of its own: a service and timer for that folder, named after it as systemd-escape names it, pass
# systemd-analyze verify. A bare cmake --install enables nothing, so no systemctl runs here.
# Inputs: BUILD_DIR, SCRATCH, SYSTEMD_ANALYZE, SYSTEMD_ESCAPE.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${SCRATCH}")
set(prefix "${SCRATCH}/Orvella Book 100% $x\"q")
set(ENV{HOME} "${SCRATCH}/home")
set(ENV{XDG_CONFIG_HOME} "${SCRATCH}/config")
set(ENV{XDG_DATA_HOME} "${SCRATCH}/share")
unset(ENV{ORVELLA_ENABLE_BACKUP_TIMER})
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "install failed:\n${out}")
endif()

execute_process(COMMAND "${SYSTEMD_ESCAPE}" --path "${prefix}" OUTPUT_VARIABLE escaped OUTPUT_STRIP_TRAILING_WHITESPACE)
set(unit "${SCRATCH}/config/systemd/user/orvella-backup-${escaped}")
file(GLOB units "${SCRATCH}/config/systemd/user/*")
if(NOT units STREQUAL "${unit}.service;${unit}.timer")
    message(FATAL_ERROR "expected ${unit}.service and .timer, found: ${units}")
endif()
execute_process(COMMAND "${SYSTEMD_ANALYZE}" verify "${unit}.service" "${unit}.timer"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "systemd-analyze verify: ${out}")
endif()

file(STRINGS "${unit}.service" exec REGEX "^ExecStart=")
set(quoted "${SCRATCH}/Orvella Book 100%% $$x\\\"q")
set(expected "ExecStart=/usr/bin/env \"${quoted}/orvella-db\" backup \"${quoted}/Database/Database.mdb\"")
if(NOT exec STREQUAL "${expected} --to \"${quoted}/Database/Backups\"")
    message(FATAL_ERROR "the service does not back up the installed book: ${exec}")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
