# Runs embed_resources on a manifest with comments, indented lines and names that need escaping,
# and fails unless the build's reading of the manifest names the same files as the tool embeds
# and the generated source compiles.
#   cmake -DEMBED=<embed_resources> -DCXX=<compiler> -DINCLUDE=<source root>
#         -DSCRATCH=<scratch folder> -P check_embed_resources.cmake
if(NOT DEFINED EMBED OR NOT DEFINED CXX OR NOT DEFINED INCLUDE OR NOT DEFINED SCRATCH)
  message(FATAL_ERROR "check_embed_resources: set EMBED, CXX, INCLUDE and SCRATCH")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/ResourceManifest.cmake)

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/data)
file(WRITE ${SCRATCH}/data/a.bin "A")
file(WRITE ${SCRATCH}/data/b.txt "BB")
file(WRITE ${SCRATCH}/data/c.bin "CCC")
file(WRITE ${SCRATCH}/data/d.bin "DDDD")
file(WRITE ${SCRATCH}/manifest.txt
     "# NAME TYPE FILE\n"
     "\n"
     "   # an indented comment\n"
     "_FIRST RCDATA a.bin\n"
     "  9SECOND TEXT b.txt\n"
     "\tQUO\"TE BACK\\SLASH c.bin\n"
     "LAST RCDATA d.bin # trailing words\n")

vexil_resource_manifest_files(${SCRATCH}/manifest.txt ${SCRATCH}/data listed)
set(expected ${SCRATCH}/data/a.bin ${SCRATCH}/data/b.txt ${SCRATCH}/data/c.bin
             ${SCRATCH}/data/d.bin)
if(NOT "${listed}" STREQUAL "${expected}")
  message(FATAL_ERROR "check_embed_resources: the build lists '${listed}', not '${expected}'")
endif()

set(table ${SCRATCH}/ResourceTable.cpp)
execute_process(COMMAND ${EMBED} ${SCRATCH}/manifest.txt ${SCRATCH}/data ${table}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "check_embed_resources: ${EMBED} failed (${result})")
endif()
file(READ ${table} source)
foreach(entry "{\"_FIRST\", \"RCDATA\", kResource0, 1}"
              "{\"9SECOND\", \"TEXT\", kResource1, 2}"
              "{\"QUO\\\"TE\", \"BACK\\\\SLASH\", kResource2, 3}"
              "{\"LAST\", \"RCDATA\", kResource3, 4}"
              "kEmbeddedResourceCount = 4;")
  string(FIND "${source}" "${entry}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "check_embed_resources: ${table} lacks ${entry}")
  endif()
endforeach()
execute_process(COMMAND ${CXX} -std=c++17 -fsyntax-only -I${INCLUDE} ${table}
                RESULT_VARIABLE compiled)
if(NOT compiled EQUAL 0)
  message(FATAL_ERROR "check_embed_resources: ${table} does not compile")
endif()
