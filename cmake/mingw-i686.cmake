# Cross-compiles for 32-bit Windows: the module and host users load.
set(ONDARA_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
