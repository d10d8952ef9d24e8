# Native (host) build: build-time tools and the tests of the code that needs
# no Windows, with AddressSanitizer and UndefinedBehaviorSanitizer on.
option(BRIGHTLARK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()
add_compile_options(-Wall -Wextra)
if(BRIGHTLARK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

add_library(brightlark_portable STATIC ${BRIGHTLARK_PORTABLE_SOURCES})
target_include_directories(brightlark_portable PUBLIC
    ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
