# Assembles the release zip (cmake -P; the release target in the top
# CMakeLists.txt passes the -D values): the program, the author tool, the
# sample character as staged, the Windows readme and the author's reference,
# side by side at the zip's top, so that an unzipped folder runs as it is.
foreach(var TK_FILES_DIR TK_ZIP TK_PROGRAM TK_TKC TK_README TK_SCRIPT_DOC TK_STAGE_DIR
    TK_STAGE_LIST)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make_release.cmake needs -D${var}=...")
  endif()
endforeach()

# A fresh folder, so that nothing left from an older release slips in.
file(REMOVE_RECURSE ${TK_FILES_DIR})
file(MAKE_DIRECTORY ${TK_FILES_DIR})
file(COPY ${TK_PROGRAM} ${TK_TKC} ${TK_README} DESTINATION ${TK_FILES_DIR})
file(COPY ${TK_SCRIPT_DOC} DESTINATION ${TK_FILES_DIR})
set(names README.txt tenkoro.exe tkc.exe script.md)

# Only the files the character ships: a run inside the stage may have left
# its tk.ini or error log there.
file(STRINGS ${TK_STAGE_LIST} lines)
foreach(line IN LISTS lines)
  string(REGEX REPLACE " .*" "" name "${line}")
  file(COPY ${TK_STAGE_DIR}/${name} DESTINATION ${TK_FILES_DIR})
  list(APPEND names ${name})
endforeach()

get_filename_component(zip_dir ${TK_ZIP} DIRECTORY)
file(MAKE_DIRECTORY ${zip_dir})
file(REMOVE ${TK_ZIP})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf ${TK_ZIP} --format=zip -- ${names}
  WORKING_DIRECTORY ${TK_FILES_DIR}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "could not write ${TK_ZIP}")
endif()
message(STATUS "Release: ${TK_ZIP}")
