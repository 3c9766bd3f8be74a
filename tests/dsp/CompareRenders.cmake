# Runs two builds of the render tool and requires identical output files.
# Variables: OPTIMISED, UNOPTIMISED (the two tools), WORK_DIR.
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(tool OPTIMISED UNOPTIMISED)
  execute_process(COMMAND ${${tool}} ${WORK_DIR}/render-${tool}.raw RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${${tool}} failed: ${result}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/render-OPTIMISED.raw ${WORK_DIR}/render-UNOPTIMISED.raw
                RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "${OPTIMISED} and ${UNOPTIMISED} render different output")
endif()
file(SIZE ${WORK_DIR}/render-OPTIMISED.raw size)
message(STATUS "identical renders, ${size} bytes")
