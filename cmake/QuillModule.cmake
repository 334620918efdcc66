# Every subsystem folder is one static library made of the .cpp files it holds,
# so adding a source file never needs a CMake edit.
function(quill_module name dir)
  file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(sources)
    add_library(${name} STATIC ${sources})
  else()
    add_library(${name} INTERFACE)
  endif()
  set(scope PUBLIC)
  if(NOT sources)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR})
  if(ARGN)
    target_link_libraries(${name} ${scope} ${ARGN})
  endif()
endfunction()

# One test program per folder of tests/, made of every .cpp in it: the
# *_test.cpp files and the helpers they share (picture generators and such).
function(quill_test_folder name dir)
  file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE QUILL_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  if(CMAKE_CROSSCOMPILING)
    # Under the emulator every process start costs about a second, so the whole
    # program is one test there; natively each case is its own test.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()
endfunction()
