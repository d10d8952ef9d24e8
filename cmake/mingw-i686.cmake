# Cross-build for 32-bit Windows with Debian's MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(BRIGHTLARK_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Windows 95 runs on an 80386, and the PCs of its day (486, Pentium, K6,
# 6x86) lack what the compiler's default, the Pentium Pro, brought (CMOV):
# such an instruction ends the set-up with a fault on them.
set(CMAKE_C_FLAGS_INIT -march=i386)
set(CMAKE_CXX_FLAGS_INIT -march=i386)
