# Windows cross-build: the set-up program, the sample product, and the
# Windows-side tests that run under Wine.
enable_language(RC)
include(ExternalProject)

if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE MinSizeRel)
endif()

# Small and self-contained: no exceptions, RTTI or unwind tables, the GCC
# runtime linked in, and nothing but system DLLs imported. Loops stay loops:
# GCC would turn some into calls of the C runtime's strlen or memset, and
# Windows 95 has no msvcrt.dll for the set-up to take them from. (No
# -fdata-sections: with it MinGW puts zeroed buffers into the file's data.)
# The options that shape the code are given to the link as well, where the
# set-up's code is made for the whole program at once (src/CMakeLists.txt).
set(code_options -Os -fno-tree-loop-distribute-patterns)
add_compile_options(-Wall -Wextra ${code_options} -ffunction-sections -fno-asynchronous-unwind-tables
    $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions> $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>
    $<$<COMPILE_LANGUAGE:CXX>:-fno-threadsafe-statics>)
add_compile_definitions(WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0500)
add_link_options(${code_options} -static-libgcc -static-libstdc++ -Wl,--gc-sections -s)
# The PE time stamp, and with it the checksum, from SOURCE_DATE_EPOCH or a
# fixed value: every build of one commit gives the same bytes.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_SOURCE_DIR}/cmake/link-dated.sh)

# The five product files: the sample stand-ins unless a folder of the real
# ones is named.
set(BRIGHTLARK_PRODUCT_DIR "" CACHE PATH
    "Folder with the five product files to embed instead of the sample product")

# Build-time tools (the SZDD compressor) are host programs: build them with
# the host's compiler in a tree of their own.
ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools
    BINARY_DIR ${CMAKE_BINARY_DIR}/host-tools
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/host-tools/szdd/szddpack)
set(BRIGHTLARK_SZDDPACK ${CMAKE_BINARY_DIR}/host-tools/szdd/szddpack)

# Windows-side tests run under Wine, in a prefix inside this build tree.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(BRIGHTLARK_WINE /usr/lib/wine/wine64)
else()
    set(BRIGHTLARK_WINE /usr/bin/wine)
endif()
set(BRIGHTLARK_WINE_RUN ${CMAKE_SOURCE_DIR}/tools/wine-run.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${BRIGHTLARK_WINE_RUN} ${CMAKE_BINARY_DIR} ${BRIGHTLARK_WINE})
