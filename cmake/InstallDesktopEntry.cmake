# Writes orvella.desktop and the hicolor icons into the user's data folder; run from the install script.
if(DEFINED ENV{XDG_DATA_HOME} AND NOT "$ENV{XDG_DATA_HOME}" STREQUAL "")
    set(data_home "$ENV{XDG_DATA_HOME}")
else()
    set(data_home "$ENV{HOME}/.local/share")
endif()

# An Exec argument is quoted only when it holds characters the desktop entry format reserves; a literal
# percent sign is doubled either way.
function(exec_argument path result)
    set(value "${path}")
    if(value MATCHES "[ \t\"'\\\\<>~|&;$*?#()`]")
        string(REPLACE "\\" "\\\\\\\\" value "${value}")
        string(REPLACE "\"" "\\\\\"" value "${value}")
        string(REPLACE "`" "\\\\`" value "${value}")
        string(REPLACE "$" "\\\\$" value "${value}")
        set(value "\"${value}\"")
    endif()
    string(REPLACE "%" "%%" value "${value}")
    set(${result} "${value}" PARENT_SCOPE)
endfunction()
exec_argument("${ORVELLA_PROGRAM}" ORVELLA_EXEC)
exec_argument("${ORVELLA_GUIDE}" ORVELLA_GUIDE_EXEC)
configure_file("${ORVELLA_DESKTOP_TEMPLATE}" "${data_home}/applications/orvella.desktop" @ONLY)
message(STATUS "Installing: ${data_home}/applications/orvella.desktop")

foreach(size 16 24 32 48 64 128)
    file(INSTALL "${ORVELLA_ICON_FOLDER}/orvella-${size}.png"
        DESTINATION "${data_home}/icons/hicolor/${size}x${size}/apps" RENAME orvella.png)
endforeach()
file(INSTALL "${ORVELLA_ICON_FOLDER}/orvella.svg" DESTINATION "${data_home}/icons/hicolor/scalable/apps")

# Menus and icon themes pick the new files up at once where the desktop's cache tools are present.
find_program(update_desktop_database update-desktop-database)
if(update_desktop_database)
    execute_process(COMMAND "${update_desktop_database}" "${data_home}/applications" OUTPUT_QUIET ERROR_QUIET)
endif()
find_program(gtk_update_icon_cache gtk-update-icon-cache)
if(gtk_update_icon_cache AND EXISTS "${data_home}/icons/hicolor/index.theme")
    execute_process(COMMAND "${gtk_update_icon_cache}" -f -t -q "${data_home}/icons/hicolor"
        OUTPUT_QUIET ERROR_QUIET)
endif()
