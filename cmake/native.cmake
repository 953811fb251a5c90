# Native build: product code against the stand-in platform, with sanitizers,
# for the unit tests. Nothing built here ships.
include(CTest)
if(BUILD_TESTING)
  find_package(GTest REQUIRED)
endif()

# The benchmark turns these off: callgrind counts instructions, and the
# sanitizers' checks would be counted with the product code's.
option(TARNWICK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
if(TARNWICK_SANITIZE)
  set(SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${SANITIZERS})
  add_link_options(${SANITIZERS})
endif()
add_compile_options(-g)
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

option(TARNWICK_BENCH "Build the benchmark driver (bench/)" OFF)
if(TARNWICK_BENCH)
  # Platform calls go straight through the address table, as the DLLs' calls
  # through their import tables do, with no lazy-binding stub to count.
  add_compile_options(-fno-plt)
  add_subdirectory(bench)
endif()
