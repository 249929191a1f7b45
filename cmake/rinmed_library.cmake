# The program's layers, lowest first, each with what it holds. A library of src/ names its layer and
# may use the libraries of its own layer and of the layers below it, never one above: the test
# LayerCheck holds every #include of src/ to that, and the README's code map is drawn from this list.
set(RINMED_LAYERS
  "platform|what differs between Windows and Linux"
  "base|the settings file, the log, tasks that wait without blocking, and the models a window's logic works on"
  "transport|ORCA's request transport"
  "domain|reception lists, marks, both histories, the saved PDFs, the medication check: plain values and the requests behind them"
  "roads|the roads from ORCA to a window (listing a day, opening and checking a patient) and the live list"
  "window|each window's logic on models of its controls: no widgets from here down"
  "view|the Qt Widgets views"
  "program|the program, which wires the windows into the launcher")

# Qt's stricter string conversions for the program's own code: no silent narrowing to char*, no
# QUrl made from a string by accident.
set(RINMED_STRICT_QT QT_NO_CAST_TO_ASCII QT_RESTRICTED_CAST_FROM_ASCII QT_NO_URL_CAST_FROM_STRING)

# rinmed_library(NAME LAYER layer SOURCES files... [LIBS libs...] [PRIVATE_LIBS libs...])
# One library of src/: its sources, src/ on the include path, what it links, and its layer. A library
# of headers alone is an interface library. Each is recorded for the layer check.
function(rinmed_library name)
  cmake_parse_arguments(L "" "LAYER" "SOURCES;LIBS;PRIVATE_LIBS" ${ARGN})
  set(layers "")
  foreach(entry IN LISTS RINMED_LAYERS)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 layer)
    list(APPEND layers ${layer})
  endforeach()
  if(NOT L_LAYER IN_LIST layers)
    message(FATAL_ERROR "rinmed_library(${name}): LAYER must be one of ${layers}, not '${L_LAYER}'")
  endif()
  set(compiled ${L_SOURCES})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  if(compiled)
    add_library(${name} STATIC ${L_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${L_LIBS} PRIVATE ${L_PRIVATE_LIBS})
    target_compile_definitions(${name} PRIVATE ${RINMED_STRICT_QT})
  else()
    add_library(${name} INTERFACE ${L_SOURCES})
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${L_LIBS})
  endif()
  list(TRANSFORM L_SOURCES PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/")
  set_property(GLOBAL APPEND PROPERTY RINMED_LIBRARY_NAMES ${name})
  set_property(GLOBAL PROPERTY RINMED_LIBRARY_${name}_LAYER ${L_LAYER})
  set_property(GLOBAL PROPERTY RINMED_LIBRARY_${name}_SOURCES ${L_SOURCES})
  set_property(GLOBAL PROPERTY RINMED_LIBRARY_${name}_LIBS ${L_LIBS} ${L_PRIVATE_LIBS})
endfunction()

# Writes what rinmed_library recorded to FILE, for cmake/check_layers.cmake.
function(rinmed_write_layer_map file)
  get_property(names GLOBAL PROPERTY RINMED_LIBRARY_NAMES)
  set(text "# Written by CMake: the libraries of src/ and their layers.\n")
  string(APPEND text "set(RINMED_LAYERS \"${RINMED_LAYERS}\")\nset(RINMED_LIBRARY_NAMES \"${names}\")\n")
  foreach(name IN LISTS names)
    foreach(what LAYER SOURCES LIBS)
      get_property(value GLOBAL PROPERTY RINMED_LIBRARY_${name}_${what})
      string(APPEND text "set(RINMED_LIBRARY_${name}_${what} \"${value}\")\n")
    endforeach()
  endforeach()
  file(WRITE ${file} "${text}")
endfunction()
