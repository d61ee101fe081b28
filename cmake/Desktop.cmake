# The desktop programs: the calculator's windows (zarvic_gui, wzrv) and the registry utility
# (kbnregistry). Both are thin Qt 6 Widgets layers over Qt-free code.
find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport)

# Every ui/ folder of the calculator's subsystems; the utility's windows are not the calculator's.
set(ZARVIC_GUI_SOURCES)
foreach(dir IN LISTS ZARVIC_CORE_DIRS)
  file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/ui/*.cpp)
  list(APPEND ZARVIC_GUI_SOURCES ${dir_sources})
endforeach()
add_library(zarvic_gui STATIC ${ZARVIC_GUI_SOURCES})
set_target_properties(zarvic_gui PROPERTIES AUTOMOC ON AUTORCC ON)
target_link_libraries(zarvic_gui PUBLIC zarvic_core zarvic_workbook Qt6::Widgets Qt6::PrintSupport PRIVATE zarvic_warnings)

add_executable(wzrv ${CMAKE_SOURCE_DIR}/src/shell/main.cpp)
target_link_libraries(wzrv PRIVATE zarvic_gui zarvic_core zarvic_warnings)
target_compile_definitions(wzrv PRIVATE ZARVIC_WITH_WINDOWS=1)

# The registry utility: its text rules (Qt-free) and its window; it shares only the settings store.
file(GLOB ZARVIC_REGUTIL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/regutil/*.cpp)
list(FILTER ZARVIC_REGUTIL_SOURCES EXCLUDE REGEX ".*/main\\.cpp$")
add_library(zarvic_regutil STATIC ${ZARVIC_REGUTIL_SOURCES})
target_link_libraries(zarvic_regutil PUBLIC zarvic_core PRIVATE zarvic_warnings)

file(GLOB ZARVIC_REGUTIL_UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/regutil/ui/*.cpp)
add_library(zarvic_regutil_ui STATIC ${ZARVIC_REGUTIL_UI_SOURCES})
set_target_properties(zarvic_regutil_ui PROPERTIES AUTOMOC ON)
target_link_libraries(zarvic_regutil_ui PUBLIC zarvic_regutil Qt6::Widgets PRIVATE zarvic_warnings)

add_executable(kbnregistry ${CMAKE_SOURCE_DIR}/src/regutil/main.cpp)
target_link_libraries(kbnregistry PRIVATE zarvic_regutil_ui zarvic_warnings)

# Renders every window into PNG files for review (scripts/screenshots).
file(GLOB ZARVIC_SCREENSHOT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/screenshots/*.cpp)
add_executable(zarvic_screenshots ${ZARVIC_SCREENSHOT_SOURCES})
target_include_directories(zarvic_screenshots PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(zarvic_screenshots PRIVATE zarvic_gui zarvic_regutil_ui zarvic_warnings)
target_compile_definitions(zarvic_screenshots PRIVATE ZARVIC_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
include(${CMAKE_SOURCE_DIR}/cmake/Manuals.cmake)
