# End to end: the real setup.exe played through its dialogs under Wine, from
# a simulated product CD on drive R: and from a hard disk.
add_executable(test_e2e e2e/e2e.cpp)
target_link_libraries(test_e2e PRIVATE wine_check uuid)

# The CD is laid out and mounted once, before the scenarios. Mounting
# restarts the prefix's wineserver, so nothing else may run meanwhile.
add_test(NAME e2e_cd
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/prepare-cd.sh ${CMAKE_BINARY_DIR} ${BRIGHTLARK_WINE})
set_tests_properties(e2e_cd PROPERTIES FIXTURES_SETUP e2e_cd RUN_SERIAL TRUE TIMEOUT 300)

add_test(NAME e2e COMMAND test_e2e ${CMAKE_BINARY_DIR})
set_tests_properties(e2e PROPERTIES FIXTURES_REQUIRED e2e_cd RUN_SERIAL TRUE TIMEOUT 3600)
