# miniupnpc, the UPnP client that asks the home router to forward a port:
# Debian's libminiupnpc-dev on Linux; for Windows the static library that
# scripts/build-miniupnpc-windows.sh builds, found through CMAKE_PREFIX_PATH.
# Gives the target vornhale_miniupnpc.
find_path(MINIUPNPC_INCLUDE_DIR miniupnpc/miniupnpc.h REQUIRED)
find_library(MINIUPNPC_LIBRARY NAMES miniupnpc REQUIRED)
add_library(vornhale_miniupnpc INTERFACE)
target_include_directories(vornhale_miniupnpc INTERFACE ${MINIUPNPC_INCLUDE_DIR})
target_link_libraries(vornhale_miniupnpc INTERFACE ${MINIUPNPC_LIBRARY})
if(WIN32)
    # Linked in, not a DLL; it and the launcher's own sockets need Winsock
    # and the IP helper, both part of Windows.
    target_compile_definitions(vornhale_miniupnpc INTERFACE MINIUPNP_STATICLIB)
    target_link_libraries(vornhale_miniupnpc INTERFACE ws2_32 iphlpapi)
endif()
