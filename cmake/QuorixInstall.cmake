# Two ways to lay the console out, as two install components:
# - "system" (what `cmake --install` and the .deb do): the programs in bin/, the shipped files in
#   share/quorix/data, where the console seeds each operator's data folder from; a desktop entry and icon.
# - "portable" (the .tar.gz): one folder with the programs, System/ and the manuals side by side, so the
#   console finds System/ beside itself and keeps its data there. Left out of a plain `cmake --install`.
include(GNUInstallDirs)

set(QUORIX_SHIPPED_DESTINATION ${CMAKE_INSTALL_DATADIR}/quorix/data)
set(QUORIX_PROGRAMS quorix quorix-basestation-sim)
get_property(QUORIX_MANUAL_PDFS GLOBAL PROPERTY QUORIX_MANUAL_PDFS)

install(TARGETS ${QUORIX_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT system)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/System ${PROJECT_BINARY_DIR}/data/System
        DESTINATION ${QUORIX_SHIPPED_DESTINATION} COMPONENT system)
install(FILES ${QUORIX_MANUAL_PDFS} DESTINATION ${QUORIX_SHIPPED_DESTINATION} COMPONENT system)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quorix.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT system)
install(FILES ${PROJECT_SOURCE_DIR}/data/artwork/quorix.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT system)

install(TARGETS ${QUORIX_PROGRAMS} RUNTIME DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/System ${PROJECT_BINARY_DIR}/data/System
        DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES ${QUORIX_MANUAL_PDFS} DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME quorix)
set(CPACK_PACKAGE_VENDOR "Quorix")
set(CPACK_PACKAGE_CONTACT "Quorix developers <developers@quorix.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Operator's console of a wireless conference voting installation")
set(CPACK_PACKAGE_DESCRIPTION "Prepares meetings (roster, motions), runs them from wireless keypads through
a base station on a serial port (sign-in with quorum, ballots with live counting, speech requests) and
keeps the outcome (charts, the hall screen, reports as print, PDF and spreadsheet). Comes with a simulated
base station for rehearsals.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quorix)
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# What the libraries' own dependencies do not bring: the database, image and platform plug-ins, Qt's
# translations of its dialogs, and the fonts the windows and reports are drawn in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, qt6-qpa-plugins, qt6-translations-l10n, fonts-wqy-microhei, fonts-liberation2")
# Each generator packs its own layout (see above).
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/QuorixCPackLayout.cmake)
include(CPack)
