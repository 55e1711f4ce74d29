# Cross toolchain for 64-bit Windows programs: the same sources, for running the
# tests under 64-bit Wine where the kernel cannot run 32-bit programs.
set(MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
