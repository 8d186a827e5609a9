# Adds every direct subdirectory of DIR, in name order, so areas never need to edit
# each other's build files. A folder without a CMakeLists.txt is an error rather than
# code that silently never builds.
function(qv_add_subdirs dir)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*)
  list(SORT children)
  foreach(child ${children})
    if(NOT IS_DIRECTORY ${child})
      continue()
    endif()
    if(NOT EXISTS ${child}/CMakeLists.txt)
      message(FATAL_ERROR "${child} has no CMakeLists.txt; every folder of an area builds something")
    endif()
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${child})
    add_subdirectory(${rel})
  endforeach()
endfunction()

# qv_add_test(NAME SOURCES ... LIBS ... [GUI] [TIMEOUT SECONDS]): a GoogleTest executable
# registered with CTest, one CTest test per test case, each under the C locale and a
# time limit (60 s unless given) so that one hung window cannot stall a whole run.
function(qv_add_test name)
  cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} qv_test_support qv_test_private_scope GTest::gtest GTest::gtest_main GTest::gmock)
  # Test discovery splits list values, so each setting goes in a property of its own.
  set(display "QT_QPA_PLATFORM=reset:")
  if(T_GUI)
    set(display "QT_QPA_PLATFORM=set:offscreen")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "LC_ALL=C" ENVIRONMENT_MODIFICATION "${display}" TIMEOUT ${T_TIMEOUT})
endfunction()

# qv_add_fuzzer(NAME SOURCES ... LIBS ...): a libFuzzer target, part of fuzz_all.
function(qv_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzz_all ${name})
endfunction()

# qv_add_library(NAME [STATIC|INTERFACE] SOURCES... [PRIVATE_HEADERS HEADER...]): add_library
# for a folder under src/, with the folder's headers published to whoever links it, spelled
# as from src/ ("runtime/core/Numbers.h"). Each library gets an include root of its own in
# the build tree holding links to its own headers only, so a source sees the headers of its
# own folder and of the libraries it links, and an include across a layer boundary fails to
# compile instead of building by accident. One library per folder.
#
# PRIVATE_HEADERS stay inside the library's area (the first folder under src/): its own
# sources and the libraries of the same area that link it see them, nobody else does. A
# header that includes the toolkit (<Q...>) must be one of them, or configuring stops: that
# is what keeps Qt inside src/runtime/ while the engines link the runtime.
function(qv_add_library name)
  cmake_parse_arguments(L "" "" "PRIVATE_HEADERS" ${ARGN})
  add_library(${name} ${L_UNPARSED_ARGUMENTS})
  file(RELATIVE_PATH area ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  if(area MATCHES "^\\.\\." OR area STREQUAL "")
    message(FATAL_ERROR "qv_add_library(${name}) belongs in a folder under src/")
  endif()
  string(REGEX REPLACE "/.*" "" top ${area})
  set_target_properties(${name} PROPERTIES QV_AREA ${top})
  set(root ${PROJECT_BINARY_DIR}/include/${name})
  set(private_root ${PROJECT_BINARY_DIR}/include/${name}.private)
  file(REMOVE_RECURSE ${root} ${private_root})
  file(MAKE_DIRECTORY ${root}/${area})
  # A header added later shows up at the next build, which re-runs the glob.
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(header ${headers})
    get_filename_component(file ${header} NAME)
    if(file IN_LIST L_PRIVATE_HEADERS)
      file(MAKE_DIRECTORY ${private_root}/${area})
      file(CREATE_LINK ${header} ${private_root}/${area}/${file} SYMBOLIC)
      continue()
    endif()
    file(STRINGS ${header} toolkit REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
    if(toolkit)
      message(FATAL_ERROR "${header} includes the toolkit; list it under PRIVATE_HEADERS of ${name}")
    endif()
    file(CREATE_LINK ${header} ${root}/${area}/${file} SYMBOLIC)
  endforeach()
  foreach(file ${L_PRIVATE_HEADERS})
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${file})
      message(FATAL_ERROR "qv_add_library(${name}): no private header ${file} in ${area}")
    endif()
  endforeach()
  get_target_property(type ${name} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${name} INTERFACE ${root})
  else()
    target_include_directories(${name} PUBLIC ${root})
  endif()
  if(L_PRIVATE_HEADERS)
    if(type STREQUAL "INTERFACE_LIBRARY")
      message(FATAL_ERROR "qv_add_library(${name}): an INTERFACE library has no sources to keep headers private to")
    endif()
    # Evaluated for each consumer: only a library of the same area gets the folder.
    target_include_directories(${name} PRIVATE ${private_root}
      INTERFACE $<$<STREQUAL:$<TARGET_PROPERTY:QV_AREA>,${top}>:${private_root}>)
  endif()
endfunction()
