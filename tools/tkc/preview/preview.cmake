# tkc preview: the character live in the browser. It needs cpp-httplib and
# nlohmann/json (scripts/install-deps.sh installs both); a tkc built without
# them (the Windows one) says so when asked for a preview.
set(TK_PREVIEW_DIR ${CMAKE_CURRENT_LIST_DIR})
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND AND NOT WIN32)
  pkg_check_modules(TK_HTTPLIB QUIET IMPORTED_TARGET cpp-httplib)
endif()
find_package(nlohmann_json 3 QUIET)
find_package(Threads)

if(NOT TK_HTTPLIB_FOUND OR NOT nlohmann_json_FOUND OR WIN32)
  message(STATUS "cpp-httplib or nlohmann/json not found: tkc is built without its preview")
  target_sources(tkc PRIVATE ${TK_PREVIEW_DIR}/preview_unavailable.cpp)
  return()
endif()

# The parts that need neither the HTTP server nor the rest of tkc; the
# preview's unit tests link them too.
add_library(tkc_preview_core STATIC
  ${TK_PREVIEW_DIR}/error_log_tail.cpp
  ${TK_PREVIEW_DIR}/event_hub.cpp
  ${TK_PREVIEW_DIR}/frame_diff.cpp
  ${TK_PREVIEW_DIR}/frame_stream.cpp
  ${TK_PREVIEW_DIR}/mailbox.cpp
  ${TK_PREVIEW_DIR}/preview_clock.cpp
  ${TK_PREVIEW_DIR}/request_guard.cpp
  ${TK_PREVIEW_DIR}/source_stamps.cpp)
target_include_directories(tkc_preview_core PUBLIC ${TK_PREVIEW_DIR})
target_link_libraries(tkc_preview_core PUBLIC tk_engine nlohmann_json::nlohmann_json Threads::Threads)

# The page, built into tkc: edit the files, build, reload.
file(GLOB TK_PAGE_FILES CONFIGURE_DEPENDS ${TK_PREVIEW_DIR}/page/*)
set(TK_PAGE_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/preview_page_files.cpp)
add_custom_command(
  OUTPUT ${TK_PAGE_SOURCE}
  COMMAND ${CMAKE_COMMAND} "-DFILES=${TK_PAGE_FILES}" -DOUT=${TK_PAGE_SOURCE}
    -P ${TK_PREVIEW_DIR}/embed_page.cmake
  DEPENDS ${TK_PAGE_FILES} ${TK_PREVIEW_DIR}/embed_page.cmake
  COMMENT "Building the preview's page into tkc"
  VERBATIM)

target_sources(tkc PRIVATE
  ${TK_PREVIEW_DIR}/engine_state.cpp
  ${TK_PREVIEW_DIR}/preview_command.cpp
  ${TK_PREVIEW_DIR}/preview_platform.cpp
  ${TK_PREVIEW_DIR}/preview_server.cpp
  ${TK_PREVIEW_DIR}/preview_session.cpp
  ${TK_PREVIEW_DIR}/session_panels.cpp
  ${TK_PAGE_SOURCE})
target_link_libraries(tkc PRIVATE tkc_preview_core PkgConfig::TK_HTTPLIB)
