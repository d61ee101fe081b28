# cmake --install: the programs and their data together in lib/zarvic (they find the data beside
# their own resolved path), links in bin, and the desktop's entry, icon and problem file type.
# cpack -G DEB packs the same install.
include(GNUInstallDirs)
set(ZARVIC_INSTALL_DIR lib/zarvic)

install(TARGETS wzrv kbnregistry RUNTIME DESTINATION ${ZARVIC_INSTALL_DIR})
install(FILES ${ZARVIC_DATA_FILES} ${CMAKE_BINARY_DIR}/FEDERAL.TB3 DESTINATION ${ZARVIC_INSTALL_DIR})
if(EXISTS ${CMAKE_SOURCE_DIR}/data/help)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/help DESTINATION ${ZARVIC_INSTALL_DIR})
endif()
foreach(manual IN LISTS ZARVIC_MANUALS)
  install(FILES ${manual} DESTINATION ${ZARVIC_INSTALL_DIR})
endforeach()

# Relative links, made in the build tree and installed as links, so the install can be moved.
set(link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_dir})
foreach(program IN ITEMS wzrv kbnregistry)
  file(CREATE_LINK ../${ZARVIC_INSTALL_DIR}/${program} ${link_dir}/${program} SYMBOLIC)
  install(FILES ${link_dir}/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

set(desktop ${CMAKE_SOURCE_DIR}/data/desktop)
install(FILES ${desktop}/zarvic.desktop ${desktop}/kbnregistry.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/zarvic.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${desktop}/zarvic-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME zarvic.xml)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarvic)
set(CPACK_PACKAGE_VENDOR "Orlendt Software")
set(CPACK_PACKAGE_CONTACT "Orlendt Software <support@orlendt.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "US federal tax interest and penalty calculator")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The shared libraries the programs link (Qt, SQLite, the C++ runtime) become the package's
# dependencies; the fonts are named, since Qt loads them at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
include(CPack)
