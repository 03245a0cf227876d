# Fails when a file of src/ outside geo/ does arithmetic on a packed
# degrees-and-minutes field as if it were decimal degrees (lat / 100,
# lng * 0.01): geo/ converts, with decimalDegrees() and its helpers.
# Run as: cmake -DSRC=<src folder> -P packedunit.cmake
get_filename_component(SRC "${SRC}" ABSOLUTE)
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*.h ${SRC}/*.cpp)
set(faults "")
set(checked 0)
foreach(file ${files})
  if(file MATCHES "^geo/")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  file(STRINGS ${SRC}/${file} lines REGEX "\\.(lat|lng)[ \t]*(/[ \t]*100|\\*[ \t]*0?\\.01)")
  foreach(line ${lines})
    string(APPEND faults "${file}: ${line}\n")
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Packed positions taken for degrees outside geo/:\n${faults}")
endif()
message(STATUS "${checked} files of src/ outside geo/ leave the packed unit to geo/")
