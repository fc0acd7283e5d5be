# sonivel_pure_library(name SOURCES...): a standard-library-only library that
# becomes part of sonivel_core.
function(sonivel_pure_library name)
  if(NOT ARGN)
    return()
  endif()
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Threads::Threads)
  target_link_libraries(sonivel_core INTERFACE ${name})
endfunction()

# sonivel_ui_library(name SOURCES...): a Qt Widgets library that becomes part
# of sonivel_ui.
function(sonivel_ui_library name)
  if(NOT ARGN)
    return()
  endif()
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC sonivel_core Qt6::Widgets Qt6::PrintSupport)
  target_link_libraries(sonivel_ui INTERFACE ${name})
endfunction()

# sonivel_test(name SOURCES... LIBS libs... [LABELS labels...]): one GoogleTest
# program, registered with ctest. Widget tests run on the offscreen platform.
function(sonivel_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
  # sonivel_test_support brings the main program of the widget tests.
  if(NOT "${T_SOURCES}" MATCHES "main" AND NOT "sonivel_test_support" IN_LIST T_LIBS)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SONIVEL_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    TIMEOUT 300)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

# sonivel_fuzz(name SOURCES...): a libFuzzer target (clang), built with
# AddressSanitizer and UndefinedBehaviorSanitizer.
function(sonivel_fuzz name)
  add_executable(${name} ${ARGN})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE sonivel_core)
endfunction()

# sonivel_bench(name SOURCES... [LIBS libs...]): a Google Benchmark program.
function(sonivel_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
