# Small helpers shared by every folder's CMakeLists.txt.

# Adds a source folder once it holds a CMakeLists.txt, so folders can be filled one at a time.
function(ondrava_subdirectory dir)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${CMAKE_SOURCE_DIR}/${dir} ${CMAKE_BINARY_DIR}/${dir})
  endif()
endfunction()

# ondrava_test(NAME name SOURCES ... LIBS ... [GUI])
# One GoogleTest executable per area, registered with CTest. Each test process gets
# its own program folder (settings, log, language files) below the build tree, so
# that tests running in parallel never share files. GUI tests carry the label "gui"
# and need a display (test.sh runs the whole suite under Xvfb, in the sanitizer build
# too). A test that must not run under the sanitizers carries the label "nosan".
function(ondrava_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT T_SOURCES)
    return()  # an area whose tests are not written yet
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(ONDRAVA_SANITIZE)
    # The checks live in the code under test; the test code itself gains little from
    # the optimiser and costs the sanitizer build most of its compile time.
    target_compile_options(${T_NAME} PRIVATE -O0)
  endif()
  target_compile_definitions(${T_NAME} PRIVATE
    ONDRAVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    ONDRAVA_BUILD_PROGRAM_DIR="${ONDRAVA_PROGRAM_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set(env "ONDRAVA_PROGRAM_DIR=${CMAKE_BINARY_DIR}/testdirs/${T_NAME}")
  if(ONDRAVA_SANITIZE)
    # What the toolkit libraries allocate once and keep for the life of the process
    # is not a leak of ours; the file names those libraries only. The accessibility
    # bridge opens its own bus connection when the toolkit starts and keeps it to
    # the end; the tests drive no assistive technology, so it stays off.
    list(APPEND env "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp" "NO_AT_BRIDGE=1")
  endif()
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 1200)
  if(T_GUI)
    set_tests_properties(${T_NAME} PROPERTIES LABELS gui)
  endif()
endfunction()
