# Install rules: a self-contained program folder (program, orvella-db, Database/Database.mdb, and the user
# guide in help/, whose rule docs/ keeps) and what the desktop and shell find it by. `make run` installs the
# program folder alone, `make install` everything; `make package` packs the program folder.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX "$ENV{HOME}/.local/opt/orvella" CACHE PATH "The program folder" FORCE)
endif()

# The program folder: the program reads its database from Database/ beside itself, wherever it is unpacked.
install(TARGETS orvella orvella-db RUNTIME DESTINATION . COMPONENT program)

# The book is created only when absent: installing again, or over an older version, keeps the user's data.
install(CODE "
    set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    execute_process(COMMAND \"${CMAKE_COMMAND}\"
            -DORVELLA_DB_TOOL=\${folder}/orvella-db
            -DORVELLA_DATABASE=\${folder}/Database/Database.mdb
            -P \"${CMAKE_SOURCE_DIR}/cmake/SupplyDatabase.cmake\"
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR \"Could not supply \${folder}/Database/Database.mdb\")
    endif()
" COMPONENT program)

# The desktop entry, icons, man pages and the commands on PATH: the user's (~/.local) or, staged with
# DESTDIR, a package's. Each names the program folder by the path it is used at, never the staging one.
install(CODE "
    set(ORVELLA_FOLDER \"\${CMAKE_INSTALL_PREFIX}\")
    set(ORVELLA_DESKTOP_TEMPLATE \"${CMAKE_SOURCE_DIR}/resources/orvella.desktop.in\")
    set(ORVELLA_ICON_FOLDER \"${CMAKE_SOURCE_DIR}/resources\")
    set(ORVELLA_MAN_PAGES \"${ORVELLA_MAN_PAGES}\")
    include(\"${CMAKE_SOURCE_DIR}/cmake/InstallDesktopFiles.cmake\")
" COMPONENT desktop)

# The daily backup of the book, for the user (cmake/InstallBackupTimer.cmake).
install(CODE "
    set(ORVELLA_FOLDER \"\${CMAKE_INSTALL_PREFIX}\")
    include(\"${CMAKE_SOURCE_DIR}/cmake/InstallBackupTimer.cmake\")
" COMPONENT desktop)

set(CPACK_PACKAGE_NAME orvella)
set(CPACK_PACKAGE_VENDOR Orvella)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Orvella keeps the books of income and expenses")
set(CPACK_GENERATOR TGZ)
set(CPACK_PACKAGE_FILE_NAME "orvella-${PROJECT_VERSION}-linux")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Only the program folder: the desktop entry belongs to whoever unpacks it.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};program;/")
set(CPACK_STRIP_FILES ON)
include(CPack)
