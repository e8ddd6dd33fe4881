# The 64-bit variant of the same sources, run under wine64 where the kernel cannot run 32-bit
# programs.
set(MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
