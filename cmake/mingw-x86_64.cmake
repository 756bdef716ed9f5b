# Cross-compiles for 64-bit Windows: the tests' build where the kernel runs no 32-bit code
# (scripts/common.sh).
set(ONDARA_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
