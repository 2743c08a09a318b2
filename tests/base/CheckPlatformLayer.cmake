# Fails when a source of the platform layer includes anything of the layers above
# it: the platform builds on the system and its libraries alone, so that the
# program's services can be swapped or tested without dragging windows along.
# Run as: cmake -DROOT=<source folder> -P CheckPlatformLayer.cmake
file(GLOB_RECURSE sources "${ROOT}/platform/*.h" "${ROOT}/platform/*.cpp")
set(offenders "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"(core|terminal|app|views|waverecord|report|export|device|lib)/")
  foreach(line IN LISTS includes)
    file(RELATIVE_PATH name ${ROOT} ${source})
    list(APPEND offenders "${name}: ${line}")
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" text)
  message(FATAL_ERROR "the platform layer includes layers above it:\n${text}")
endif()
