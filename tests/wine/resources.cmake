# The set-up program's own resources, read from setup.exe as data.
add_executable(test_resources test_resources.cpp)
target_link_libraries(test_resources PRIVATE wine_check)
add_test(NAME resources COMMAND test_resources $<TARGET_FILE:setup> ${CMAKE_SOURCE_DIR}/res/setup.rc)
