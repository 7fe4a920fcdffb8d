# cmake --install: the game program, its data folder (Media/ and the default settings.ini), a
# launcher that starts the game in each player's own folder, a desktop entry with its icons,
# software-centre data and a manual page. The three folders can be moved: scripts/package.sh
# asks for the Debian games layout (/usr/games, /usr/lib/games/lornhaven,
# /usr/share/games/lornhaven).
include(GNUInstallDirs)
set(LORNHAVEN_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Where the lornhaven command goes, under the prefix")
set(LORNHAVEN_INSTALL_GAMEDIR ${CMAKE_INSTALL_LIBEXECDIR}/lornhaven CACHE STRING "Where the game program goes, under the prefix")
set(LORNHAVEN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/lornhaven CACHE STRING "Where Media/ and the default settings go, under the prefix")
set(LORNHAVEN_APPSTREAM_ID invalid.lornhaven.lornhaven)

install(TARGETS lornhaven RUNTIME DESTINATION ${LORNHAVEN_INSTALL_GAMEDIR})
install(FILES ${CMAKE_SOURCE_DIR}/settings.ini DESTINATION ${LORNHAVEN_INSTALL_DATADIR})
# Media/ is written into the run folder by the build; the trailing slash copies its contents.
file(MAKE_DIRECTORY ${LORNHAVEN_RUN_DIR}/Media)
install(DIRECTORY ${LORNHAVEN_RUN_DIR}/Media/ DESTINATION ${LORNHAVEN_INSTALL_DATADIR}/Media)

# The launcher finds both folders relative to itself, so any prefix (or DESTDIR) works.
file(RELATIVE_PATH LORNHAVEN_BIN_TO_DATA /prefix/${LORNHAVEN_INSTALL_BINDIR} /prefix/${LORNHAVEN_INSTALL_DATADIR})
file(RELATIVE_PATH LORNHAVEN_BIN_TO_GAME /prefix/${LORNHAVEN_INSTALL_BINDIR} /prefix/${LORNHAVEN_INSTALL_GAMEDIR})
configure_file(${CMAKE_SOURCE_DIR}/packaging/lornhaven-launcher.sh.in ${CMAKE_BINARY_DIR}/install/lornhaven @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/install/lornhaven DESTINATION ${LORNHAVEN_INSTALL_BINDIR})

install(FILES ${CMAKE_SOURCE_DIR}/packaging/lornhaven.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The icons that tools/mediagen paints into the build folder, 48 to 256 pixels.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/icons)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lornhaven.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME ${LORNHAVEN_APPSTREAM_ID}.metainfo.xml)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lornhaven.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The desktop entry names the launcher, and the manual page the folders, by their absolute
# installed paths, known only at install time (cmake --install --prefix may change them); the
# manual page also gets the game's version.
install(CODE "
    set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    set(entry \"\${root}/${CMAKE_INSTALL_DATADIR}/applications/lornhaven.desktop\")
    file(READ \"\${entry}\" text)
    string(REPLACE \"Exec=lornhaven\" \"Exec=\${CMAKE_INSTALL_PREFIX}/${LORNHAVEN_INSTALL_BINDIR}/lornhaven\" text \"\${text}\")
    file(WRITE \"\${entry}\" \"\${text}\")
    set(page \"\${root}/${CMAKE_INSTALL_MANDIR}/man6/lornhaven.6\")
    file(READ \"\${page}\" text)
    string(REPLACE \"@DATADIR@\" \"\${CMAKE_INSTALL_PREFIX}/${LORNHAVEN_INSTALL_DATADIR}\" text \"\${text}\")
    string(REPLACE \"@GAMEDIR@\" \"\${CMAKE_INSTALL_PREFIX}/${LORNHAVEN_INSTALL_GAMEDIR}\" text \"\${text}\")
    string(REPLACE \"@VERSION@\" \"${PROJECT_VERSION}\" text \"\${text}\")
    file(WRITE \"\${page}\" \"\${text}\")
")
