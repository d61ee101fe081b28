# The help pages and the two PDF manuals, beside the program in the build folder (the program finds
# them there, as it does after install). The manuals are made from docs/ by a build tool of ours.

# Help pages: copied file by file, so an edited page is copied again at the next build.
file(GLOB_RECURSE ZARVIC_HELP_FILES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/data/help
     ${CMAKE_SOURCE_DIR}/data/help/*)
foreach(f IN LISTS ZARVIC_HELP_FILES)
  configure_file(${CMAKE_SOURCE_DIR}/data/help/${f} ${CMAKE_BINARY_DIR}/help/${f} COPYONLY)
endforeach()

add_executable(zarvic_make_manual ${CMAKE_SOURCE_DIR}/tools/manuals/MakeManual.cpp)
target_link_libraries(zarvic_make_manual PRIVATE Qt6::Gui zarvic_warnings)
target_compile_definitions(zarvic_make_manual PRIVATE ZARVIC_VERSION="${PROJECT_VERSION}")

# zarvic_manual(<pdf> <title> <source>...): sources relative to the source tree. The same guide is
# also made as one page of the help (help/manuals/<name>.htm), shown when no PDF viewer is at hand.
set(ZARVIC_MANUALS)
set(ZARVIC_MANUAL_PAGES)
function(zarvic_manual pdf title)
  set(sources)
  foreach(s IN LISTS ARGN)
    list(APPEND sources ${CMAKE_SOURCE_DIR}/${s})
  endforeach()
  set(out ${CMAKE_BINARY_DIR}/${pdf})
  get_filename_component(stem ${pdf} NAME_WE)
  set(page ${CMAKE_BINARY_DIR}/help/manuals/${stem}.htm)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/help/manuals)
  add_custom_command(
    OUTPUT ${out} ${page}
    # The tool runs under the sanitizers of a sanitized build; leaks inside the font libraries are not ours.
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:zarvic_make_manual> --html
            ${page} ${out} ${title} ${sources}
    DEPENDS zarvic_make_manual ${sources}
    COMMENT "Making ${pdf}"
    VERBATIM)
  set(ZARVIC_MANUALS ${ZARVIC_MANUALS} ${out} PARENT_SCOPE)
  set(ZARVIC_MANUAL_PAGES ${ZARVIC_MANUAL_PAGES} ${page} PARENT_SCOPE)
endfunction()

# The user's guide shares the help pages on events, interest, refunds, netting and penalties.
zarvic_manual(Zarvic-Users-Guide.pdf "Zarvic User's Guide"
  docs/users-guide/01-windows.md
  data/help/html/evtypes.htm
  data/help/html/evdesc.htm
  data/help/html/interest.htm
  data/help/html/ka_6cf.htm
  data/help/html/ka_6cg.htm
  data/help/html/penalties.htm
  data/help/html/ka_6ag.htm
  data/help/html/ka_6ah.htm
  docs/users-guide/02-reports.md
  docs/users-guide/03-tables.md
  docs/users-guide/04-options.md)
zarvic_manual(ImportExport.pdf "Zarvic Import and Export Guide"
  docs/import-export/01-text-input.md
  docs/import-export/02-csv.md
  docs/import-export/03-batch-tables.md)
add_custom_target(manuals ALL DEPENDS ${ZARVIC_MANUALS} ${ZARVIC_MANUAL_PAGES})
