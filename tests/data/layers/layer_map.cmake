# A two-library map whose lower library includes a header of the upper one.
set(RINMED_LAYERS "base|below;view|above")
set(RINMED_LIBRARY_NAMES "lib_low;lib_high")
set(RINMED_LIBRARY_lib_low_LAYER "base")
set(RINMED_LIBRARY_lib_low_SOURCES "${CMAKE_CURRENT_LIST_DIR}/src/low/a.h")
set(RINMED_LIBRARY_lib_low_LIBS "")
set(RINMED_LIBRARY_lib_high_LAYER "view")
set(RINMED_LIBRARY_lib_high_SOURCES "${CMAKE_CURRENT_LIST_DIR}/src/high/b.h")
set(RINMED_LIBRARY_lib_high_LIBS "lib_low")
