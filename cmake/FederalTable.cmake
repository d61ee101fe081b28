# The shipped federal table is built from the readable rate history by the program's own table code,
# so no binary table is kept in the repository.
add_executable(zarvic_federal_table ${CMAKE_SOURCE_DIR}/src/ratetables/tools/MakeFederalTable.cpp)
target_link_libraries(zarvic_federal_table PRIVATE zarvic_core zarvic_warnings)

set(ZARVIC_FEDERAL_SOURCE ${CMAKE_SOURCE_DIR}/data/federal-rates.csv)
set(ZARVIC_FEDERAL_TABLE ${CMAKE_BINARY_DIR}/FEDERAL.TB3)
add_custom_command(
  OUTPUT ${ZARVIC_FEDERAL_TABLE}
  COMMAND zarvic_federal_table ${ZARVIC_FEDERAL_SOURCE} ${ZARVIC_FEDERAL_TABLE}
  DEPENDS zarvic_federal_table ${ZARVIC_FEDERAL_SOURCE}
  COMMENT "Building FEDERAL.TB3 from data/federal-rates.csv"
  VERBATIM)
add_custom_target(federal_table ALL DEPENDS ${ZARVIC_FEDERAL_TABLE})
