# Run by CPack while it stages the zip: the marker beside the exe.
file(COPY "${CMAKE_CURRENT_LIST_DIR}/norukaku-client-portable.txt" DESTINATION "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
