# Set-up programs with a faulty payload: the fourth file (trkpl32.dll,
# resource 5003) missing, or its SZDD file truncated, with a wrong signature
# or a wrong mode byte. The end-to-end scenarios run them over an earlier
# installation.
set(payload_dir ${CMAKE_BINARY_DIR}/payload)
foreach(kind missing truncated badsig badmode)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/payload_${kind}.rc)
    set(lines "LANGUAGE 9, 1\n")
    string(APPEND lines "5000 RT_RCDATA \"${payload_dir}/Brightlark.ex_\"\n")
    string(APPEND lines "5001 RT_RCDATA \"${payload_dir}/Brightlark.ch_\"\n")
    string(APPEND lines "5002 RT_RCDATA \"${payload_dir}/cdrdr32.dl_\"\n")
    if(NOT kind STREQUAL "missing")
        string(APPEND lines "5003 RT_RCDATA \"${faults_dir}/${kind}.bin\"\n")
    endif()
    string(APPEND lines "5004 RT_RCDATA \"${payload_dir}/sfxpack1.ex_\"\n")
    file(WRITE ${rc} "${lines}")
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
        "${faults_dir}/truncated.bin;${faults_dir}/badsig.bin;${faults_dir}/badmode.bin;${payload_dir}/Brightlark.ex_;${payload_dir}/Brightlark.ch_;${payload_dir}/sfxpack1.ex_")
    add_library(payload_${kind} OBJECT ${rc})
    add_dependencies(payload_${kind} brightlark_payload)
    setup_program(setup_fault_${kind} payload_${kind})
endforeach()
