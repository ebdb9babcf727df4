# Packs the SDK into one zip: run by the dist target with
#   -DSOURCE_DIR= -DBUILD64= -DBUILD32= -DOUTPUT=
# The 32-bit demo and the Visual Basic module go in when they exist; every
# other file must, or the pack fails rather than ship without it.
set(stage ${BUILD64}/dist/tabrix)
file(REMOVE_RECURSE ${BUILD64}/dist)
file(MAKE_DIRECTORY ${stage}/x86 ${stage}/x64 ${stage}/include ${stage}/demo)

function(pack from to)
  if(NOT EXISTS ${from})
    message(FATAL_ERROR "dist: ${from} is missing")
  endif()
  file(COPY ${from} DESTINATION ${stage}/${to})
endfunction()

foreach(pair IN ITEMS "x86;${BUILD32}" "x64;${BUILD64}")
  list(GET pair 0 arch)
  list(GET pair 1 dir)
  foreach(file IN ITEMS tabrix32.dll libtabrix32.dll.a tabrix32.lib tabrix32.def)
    pack(${dir}/${file} ${arch})
  endforeach()
endforeach()
pack(${BUILD64}/tabrix_demo.exe x64)
if(EXISTS ${BUILD32}/tabrix_demo.exe)
  pack(${BUILD32}/tabrix_demo.exe x86)
endif()
pack(${SOURCE_DIR}/include/tabrix32.h include)
# The demo's sources, with the two helpers it borrows for --screenshot at
# the paths its includes name: the zip's root and include/ build it.
file(GLOB demo_sources ${SOURCE_DIR}/demo/*.cpp ${SOURCE_DIR}/demo/*.h ${SOURCE_DIR}/demo/*.rc
  ${SOURCE_DIR}/demo/sample.sql)
foreach(file IN LISTS demo_sources)
  pack(${file} demo)
endforeach()
file(MAKE_DIRECTORY ${stage}/tests/support ${stage}/tools)
foreach(file IN ITEMS tests/support/capture.h tests/support/capture.cpp tools/png.h tools/png.cpp)
  get_filename_component(folder ${file} DIRECTORY)
  pack(${SOURCE_DIR}/${file} ${folder})
endforeach()
pack(${SOURCE_DIR}/docs .)
if(EXISTS ${SOURCE_DIR}/vb/tabrix32.bas)
  pack(${SOURCE_DIR}/vb/tabrix32.bas vb)
endif()

file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUTPUT} --format=zip tabrix
  WORKING_DIRECTORY ${BUILD64}/dist RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dist: packing ${OUTPUT} failed")
endif()
