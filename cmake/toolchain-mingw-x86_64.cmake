# Cross build for 64-bit Windows (runs under Wine).
set(LVDUMP_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
