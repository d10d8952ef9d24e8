# The portable core: what needs no Windows. Listed once for both trees.
set(BRIGHTLARK_PORTABLE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/build_settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cd_path.cpp
    ${CMAKE_CURRENT_LIST_DIR}/check_value.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/destination.cpp
    ${CMAKE_CURRENT_LIST_DIR}/payload_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry_path.cpp
    ${CMAKE_CURRENT_LIST_DIR}/szdd_header.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text_ops.cpp
    ${CMAKE_CURRENT_LIST_DIR}/user_texts.cpp
)
