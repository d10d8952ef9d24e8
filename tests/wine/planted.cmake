# Planted copies of the libraries the set-up loads at run time; each
# records being loaded. Never to be loaded by the set-up.
foreach(name lz32 comctl32)
    add_library(planted_${name} MODULE planted.c)
    target_link_libraries(planted_${name} PRIVATE sample_start_record)
    set_target_properties(planted_${name} PROPERTIES OUTPUT_NAME ${name} PREFIX ""
        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
endforeach()
