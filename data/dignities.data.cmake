# The table of dignities (UTF-8 text, read by the "Таблица бальности" window).
add_custom_command(OUTPUT ${ASTRAVIA_RUN_DIR}/dignities.txt
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_SOURCE_DIR}/dignities.txt
          ${ASTRAVIA_RUN_DIR}/dignities.txt
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/dignities.txt
  COMMENT "Copying the table of dignities into the runtime folder")
add_custom_target(astravia_dignity_table ALL DEPENDS ${ASTRAVIA_RUN_DIR}/dignities.txt)
