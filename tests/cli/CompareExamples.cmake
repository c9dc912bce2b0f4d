# Runs the example generator into a scratch folder and compares each file with the committed one.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${GENERATOR} ${SCRATCH} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the generator failed: ${status}")
endif()
foreach(name core-record.csv corvane-matrix.csv)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${name} ${EXAMPLES}/${name}
        RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "examples/${name} differs from what tools/ExampleGenerator.cpp writes")
    endif()
endforeach()
