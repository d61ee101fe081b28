# cmake --install: the programs and their data together in lib/zarvic (they find the data beside
# their own resolved path), links in bin, and the desktop's entry, icon and problem file type.
# cpack -G DEB packs the same install, with the programs stripped.
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
install(FILES ${ZARVIC_MANUAL_PAGES} DESTINATION ${ZARVIC_INSTALL_DIR}/help/manuals)

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

# What a distribution asks of a package beside the programs: the man pages and the changelog
# compressed with gzip -9n (no name or time stamp, so the bytes depend only on the text), the
# copyright file as it is, and programs without symbols or debug information.
set(package_out ${CMAKE_BINARY_DIR}/package)
set(package_docs)
foreach(source IN ITEMS docs/man/wzrv.1 docs/man/kbnregistry.1 data/package/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${package_out}/${name}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${source} ${package_out}/${name}
                     COMMAND gzip -9nf ${package_out}/${name}
                     DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND package_docs ${package_out}/${name}.gz)
endforeach()
add_custom_target(package_docs ALL DEPENDS ${package_docs})
install(FILES ${package_out}/wzrv.1.gz ${package_out}/kbnregistry.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/data/package/copyright ${package_out}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zarvic)

set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGE_NAME zarvic)
set(CPACK_PACKAGE_VENDOR "Orlendt Software")
set(CPACK_PACKAGE_CONTACT "Orlendt Software <support@orlendt.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "US federal tax interest and penalty calculator")
set(CPACK_PACKAGE_DESCRIPTION
    "Zarvic computes the interest and the penalties a taxpayer owes to the IRS, or is owed by it, \
from a list of dated events and the federal interest rate table, and writes its reports. It runs \
as a desktop program and without a display (batch data entry, test runs, rate table tools). \
KBNRegistry shows and edits its settings.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The shared libraries the programs link (Qt, SQLite, the C++ runtime) become the package's
# dependencies; the fonts are named, since Qt loads them at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
include(CPack)
