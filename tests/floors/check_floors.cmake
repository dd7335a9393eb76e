# The floor rule of src/: a folder's code includes its own headers and those
# of the floors below it, never a higher floor's, never a path that leaves
# its folder with "..", and core/ includes no widget or GUI header.
#
#   cmake -DSOURCE_DIR=<src> -DFLOORS="core;widgets;..." -P check_floors.cmake
#
# Prints one line per offending include and fails when there is any.
set(offences 0)
foreach(floor IN LISTS FLOORS)
  list(FIND FLOORS ${floor} level)
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${floor}/*.h ${SOURCE_DIR}/${floor}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*)[\">].*" "\\1" path "${line}")
      set(offence "")
      if(path MATCHES "(^|/)\\.\\./")
        set(offence "leaves its folder")
      elseif(path MATCHES "^([a-z]+)/")
        list(FIND FLOORS ${CMAKE_MATCH_1} included_level)
        if(included_level GREATER level)
          set(offence "reaches up to ${CMAKE_MATCH_1}/")
        endif()
      endif()
      if(floor STREQUAL "core" AND path MATCHES "^(QtWidgets|QtGui)/|^Q(Widget|Application|MessageBox|Dialog|Image|Pixmap|Painter)$")
        set(offence "is a GUI header in core/")
      endif()
      if(offence)
        message("${file} includes ${path}: ${offence}")
        math(EXPR offences "${offences} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()
if(offences GREATER 0)
  message(FATAL_ERROR "${offences} include(s) against the floors")
endif()
