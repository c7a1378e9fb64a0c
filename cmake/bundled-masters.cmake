# The master lists a package carries, for a PC that reaches no server: a
# served folder (as nk-masters build makes it) installed as it is, with the
# moment of its lists in received.txt. The program finds it beside itself
# (platform/work_folder.h) and opens it only when it kept no lists of its own.
#
#   nk_install_bundled_masters(<served folder> <destination> <component> [GENERATED])
#
# Only the files the program reads are installed. A folder of the build
# (GENERATED: the demo's, made by the build) is taken whole; any other folder
# must hold the song master and the required version, and carries the
# versions whose two lists it has. The moment is the configure time (or
# SOURCE_DATE_EPOCH), in UTC: the program tells it in the player's time.

function(nk_install_bundled_masters folder destination component)
  set(generated OFF)
  if(ARGC GREATER 3 AND ARGV3 STREQUAL "GENERATED")
    set(generated ON)
  endif()
  set(common common/songlist.dat common/nkclient.dat)
  set(files)
  foreach(f IN LISTS common)
    if(NOT generated AND NOT EXISTS "${folder}/${f}")
      message(FATAL_ERROR "BundledMasters: ${folder} has no ${f}")
    endif()
    list(APPEND files ${f})
  endforeach()
  foreach(v 12 13 14)
    set(pair common/ac${v}list.dat sr/${v}/srlist.dat)
    if(generated OR (EXISTS "${folder}/common/ac${v}list.dat" AND EXISTS "${folder}/sr/${v}/srlist.dat"))
      list(APPEND files ${pair})
    endif()
  endforeach()
  foreach(f IN LISTS files)
    get_filename_component(sub "${f}" DIRECTORY)
    install(FILES "${folder}/${f}" DESTINATION "${destination}/${sub}" COMPONENT ${component})
  endforeach()
  string(TIMESTAMP now "%Y-%m-%dT%H:%M:%SZ" UTC)
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/bundled-masters/received.txt")
  file(WRITE "${stamp}" "received,${now}\r\n")
  install(FILES "${stamp}" DESTINATION "${destination}" COMPONENT ${component})
endfunction()
