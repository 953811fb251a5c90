# The shipped DLLs: small, no C run-time, nothing done at load. They are
# loaded into every 32-bit GUI process the global message hook reaches.
set(DIST_DIR ${PROJECT_SOURCE_DIR}/dist)
include(CTest)

function(tarnwick_dll target)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${DIST_DIR}
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/common/dll_entry.cpp)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/common)
  target_compile_options(${target} PRIVATE
    -Os -fno-asynchronous-unwind-tables -fno-stack-protector -ffunction-sections -fdata-sections)
  target_link_options(${target} PRIVATE
    -nostdlib -s -Wl,--gc-sections -Wl,-e,_DllEntryPoint@12 -Wl,--out-implib,$<TARGET_LINKER_FILE:${target}>)
  target_link_libraries(${target} PRIVATE user32 kernel32)
endfunction()
