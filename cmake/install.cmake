# cmake --install: the game in libexec, its data folder (Media/ and a default settings.ini) in
# share, a launcher in bin that runs the game from the data folder, and a desktop entry.
include(GNUInstallDirs)
set(LORNHAVEN_DATA_DIR ${CMAKE_INSTALL_DATADIR}/lornhaven)
set(LORNHAVEN_GAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/lornhaven)

install(TARGETS lornhaven RUNTIME DESTINATION ${LORNHAVEN_GAME_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/settings.ini DESTINATION ${LORNHAVEN_DATA_DIR})
# Media/ is written into the run folder by the build; the trailing slash copies its contents.
file(MAKE_DIRECTORY ${LORNHAVEN_RUN_DIR}/Media)
install(DIRECTORY ${LORNHAVEN_RUN_DIR}/Media/ DESTINATION ${LORNHAVEN_DATA_DIR}/Media)

# The launcher finds both folders relative to itself, so any prefix (or DESTDIR) works.
file(RELATIVE_PATH LORNHAVEN_BIN_TO_DATA /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${LORNHAVEN_DATA_DIR})
file(RELATIVE_PATH LORNHAVEN_BIN_TO_GAME /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${LORNHAVEN_GAME_DIR})
configure_file(${CMAKE_SOURCE_DIR}/cmake/lornhaven-launcher.sh.in ${CMAKE_BINARY_DIR}/install/lornhaven @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/install/lornhaven DESTINATION ${CMAKE_INSTALL_BINDIR})

# The desktop entry names the launcher by its absolute installed path, known only at install time.
install(FILES ${CMAKE_SOURCE_DIR}/cmake/lornhaven.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(CODE "
    set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/lornhaven.desktop\")
    file(READ \"\${entry}\" text)
    string(REPLACE \"Exec=lornhaven\" \"Exec=\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/lornhaven\" text \"\${text}\")
    file(WRITE \"\${entry}\" \"\${text}\")
")
