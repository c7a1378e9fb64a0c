# Read by CPack once per generator. The portable marker (which is also the
# zip's instructions) goes into the zip alone: the installed program must
# never work in its program folder.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_INSTALL_SCRIPTS "${CPACK_NK_PORTABLE_SCRIPT}")
endif()
