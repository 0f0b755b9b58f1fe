# The city base (Windows-1251, six fields a line), made by tools/cities/convert_cities.py (see data/README.md).
add_custom_command(OUTPUT ${ASTRAVIA_RUN_DIR}/cities.txt
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_SOURCE_DIR}/cities.txt
          ${ASTRAVIA_RUN_DIR}/cities.txt
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/cities.txt
  COMMENT "Copying the city base into the runtime folder")
add_custom_target(astravia_city_base ALL DEPENDS ${ASTRAVIA_RUN_DIR}/cities.txt)
