# Installs what the desktop and the shell find Orvella by: the menu entry and its icons, the man pages, and
# the orvella and orvella-db commands. Run from the install script with ORVELLA_FOLDER (the program folder
# as it is used once installed), ORVELLA_DESKTOP_TEMPLATE, ORVELLA_ICON_FOLDER and ORVELLA_MAN_PAGES.
#
# With DESTDIR set a package is being staged: the system's folders under DESTDIR, and no cache is refreshed,
# since the machine the package lands on does that. Otherwise the files are the user's own, in ~/.local.
# The folders below are those used once installed: file(INSTALL) puts DESTDIR before them itself, the
# other writes do so by hand.
set(destdir "$ENV{DESTDIR}")
if(destdir)
    set(root "/usr")
    set(data_home "${root}/share")
else()
    set(root "$ENV{HOME}/.local")
    if(DEFINED ENV{XDG_DATA_HOME} AND NOT "$ENV{XDG_DATA_HOME}" STREQUAL "")
        set(data_home "$ENV{XDG_DATA_HOME}")
    else()
        set(data_home "${root}/share")
    endif()
endif()
set(ORVELLA_PROGRAM "${ORVELLA_FOLDER}/orvella")

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
exec_argument("${ORVELLA_FOLDER}/help/user-guide.html" ORVELLA_GUIDE_EXEC)
configure_file("${ORVELLA_DESKTOP_TEMPLATE}" "${destdir}${data_home}/applications/orvella.desktop" @ONLY)
message(STATUS "Installing: ${destdir}${data_home}/applications/orvella.desktop")

foreach(size 16 24 32 48 64 128)
    file(INSTALL "${ORVELLA_ICON_FOLDER}/orvella-${size}.png"
        DESTINATION "${data_home}/icons/hicolor/${size}x${size}/apps" RENAME orvella.png)
endforeach()
file(INSTALL "${ORVELLA_ICON_FOLDER}/orvella.svg" DESTINATION "${data_home}/icons/hicolor/scalable/apps")

# Beside the commands' folder, where man looks for the pages of the commands it finds on PATH.
file(INSTALL ${ORVELLA_MAN_PAGES} DESTINATION "${root}/share/man/man1")

# The commands are links: the program follows its link to the real folder, where its book is. A file of the
# same name that is no link is someone else's, and stays.
set(bin "${destdir}${root}/bin")
if(NOT destdir AND NOT IS_DIRECTORY "${bin}")
    set(new_bin TRUE)
endif()
file(MAKE_DIRECTORY "${bin}")
foreach(command orvella orvella-db)
    if(EXISTS "${bin}/${command}" AND NOT IS_SYMLINK "${bin}/${command}")
        message(FATAL_ERROR "${bin}/${command} is not a link Orvella made: move it away and install again.")
    endif()
    file(CREATE_LINK "${ORVELLA_FOLDER}/${command}" "${bin}/${command}" SYMBOLIC)
    message(STATUS "Installing: ${bin}/${command} -> ${ORVELLA_FOLDER}/${command}")
endforeach()
if(new_bin)
    # Debian's ~/.profile puts ~/.local/bin on PATH at login only when the folder is there.
    message(STATUS "${bin} is new: it is on your PATH from your next login.")
endif()

if(destdir)
    return()
endif()
# Menus and icon themes pick the new files up at once where the desktop's cache tools are present; a stale
# cache only delays that, so a failure is a warning.
function(refresh_cache)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE error)
    if(NOT status EQUAL 0)
        message(WARNING "${ARGN} failed: ${status} ${error}")
    endif()
endfunction()
find_program(update_desktop_database update-desktop-database)
if(update_desktop_database)
    refresh_cache("${update_desktop_database}" "${data_home}/applications")
endif()
find_program(gtk_update_icon_cache gtk-update-icon-cache)
if(gtk_update_icon_cache AND EXISTS "${data_home}/icons/hicolor/index.theme")
    refresh_cache("${gtk_update_icon_cache}" -f -t -q "${data_home}/icons/hicolor")
endif()
