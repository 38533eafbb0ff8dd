# Checks that each folder of the program includes only from its own folder
# and from the layers below it, and fails naming every include that runs
# the other way. The layers, bottom up; folders on one line stand side by
# side and do not include each other.
# Usage: cmake -DROOT=<source folder> -P check-layers.cmake
set(layers
  "disk resources"
  "shell"
  "engine scores"
  "replay"
  "desktop/sdl halloffame"
  "desktop/input"
  "desktop/window"
  "desktop/replays"
  "desktop/startup")

set(rank 0)
foreach(layer ${layers})
  separate_arguments(folders UNIX_COMMAND "${layer}")
  foreach(folder ${folders})
    set(rank_of_${folder} ${rank})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

set(wrong)
foreach(layer ${layers})
  separate_arguments(folders UNIX_COMMAND "${layer}")
  foreach(folder ${folders})
    file(GLOB files ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    foreach(file ${files})
      file(STRINGS ${file} includes REGEX "^#include \"")
      foreach(line ${includes})
        string(REGEX REPLACE "^#include \"(.*)/[^/]*\".*" "\\1" used "${line}")
        if(used STREQUAL folder)
          continue()
        endif()
        if(NOT DEFINED rank_of_${used} OR NOT rank_of_${used} LESS rank_of_${folder})
          file(RELATIVE_PATH name ${ROOT} ${file})
          list(APPEND wrong "${name}: ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(wrong)
  list(JOIN wrong "\n  " lines)
  message(FATAL_ERROR "These includes reach a layer that is not below their own:\n  ${lines}")
endif()
