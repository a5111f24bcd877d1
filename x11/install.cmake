# Where `make install` and the Debian package put the program and its files:
# the folders in which xscreensaver looks for hacks and their settings, and
# MATE's screen saver for its saver entries.
include(GNUInstallDirs)
install(TARGETS pennydance RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(PROGRAMS ${CMAKE_CURRENT_SOURCE_DIR}/pennydance-xscreensaver DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/pennydance.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/pennydance.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/pennydance.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/pennydance-xscreensaver.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/README DESTINATION ${CMAKE_INSTALL_DOCDIR})
