# Native build: product code against the stand-in platform, with sanitizers,
# for the unit tests. Nothing built here ships.
include(CTest)
find_package(GTest REQUIRED)

set(SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${SANITIZERS} -g)
add_link_options(${SANITIZERS})
# Only exported names are visible, as in the DLLs.
set(CMAKE_CXX_VISIBILITY_PRESET hidden)
set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)

# The native "DLLs" are shared objects under the DLL's file name, loaded by the
# stand-in's LoadLibraryA; velk_kh.dll sits beside gen_velk.dll.
set(NATIVE_DLL_DIR ${CMAKE_BINARY_DIR}/modules)

function(tarnwick_dll target)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    SUFFIX ".dll"
    NO_SONAME OFF
    LIBRARY_OUTPUT_DIRECTORY ${NATIVE_DLL_DIR}
    BUILD_RPATH "$ORIGIN")
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/common)
  target_link_options(${target} PRIVATE -Wl,--no-undefined)
  target_link_libraries(${target} PRIVATE win32_standin)
endfunction()

add_subdirectory(tests/standin)
