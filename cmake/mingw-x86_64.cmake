# Cross-build for 64-bit Windows. Used only to run the Windows-side tests
# under 64-bit Wine on machines whose kernel cannot start 32-bit programs;
# the product itself is always the 32-bit build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BRIGHTLARK_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
