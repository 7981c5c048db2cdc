# Read by cpack once per generator: the .deb packs the system layout, the archive the portable folder.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_COMPONENTS_ALL system)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
else()
    set(CPACK_COMPONENTS_ALL portable)
    set(CPACK_PACKAGE_FILE_NAME "quorix-${CPACK_PACKAGE_VERSION}-portable")
    # One folder to unpack anywhere, holding the programs beside System/.
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
