# The unit tests of the Windows build, cross-compiled and run under Wine
# (CMAKE_CROSSCOMPILING_EMULATOR, tools/wine-run). Wine starts slowly, so each test
# executable runs once as one CTest test, labelled "windows"; its cases are not listed
# one by one. Tests that need X11, Xvfb or POSIX calls stay out of these executables.

# GoogleTest from the sources Debian's googletest package installs.
set(VELTRANE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
if(NOT EXISTS "${VELTRANE_GTEST_SOURCE}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found in ${VELTRANE_GTEST_SOURCE} (apt-get install googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${VELTRANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

set(VELTRANE_WINDOWS_TEST_TIMEOUT 120)
# Everything ./test builds for Windows.
add_custom_target(veltrane_windows_tests)

# Support helpers that are neither X11 nor POSIX.
add_library(veltrane_test_support STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/support/FileText.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/TempFolder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/TestTree.cpp)
target_include_directories(veltrane_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(veltrane_test_support PUBLIC platform gtest)

# test_<folder>.exe from tests/<folder>/*.cpp without the files named in EXCLUDE, plus
# tests/<folder>/win32/*.cpp; one CTest test win_test_<folder>.
function(veltrane_windows_tests folder)
  cmake_parse_arguments(ARG "" "" "EXCLUDE;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/win32/*.cpp)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/${excluded})
  endforeach()
  set(target test_${folder})
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} veltrane_test_support gtest gtest_main gmock)
  add_dependencies(veltrane_windows_tests ${target})
  add_test(NAME win_test_${folder} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(win_test_${folder} PROPERTIES LABELS "windows;unit" TIMEOUT ${VELTRANE_WINDOWS_TEST_TIMEOUT}
    ENVIRONMENT "VELTRANE_SOURCE_DIR=${CMAKE_SOURCE_DIR};VELTRANE_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# --- platform -------------------------------------------------------------------------
veltrane_windows_tests(platform LIBS platform
  EXCLUDE ChildProcessTest.cpp DesktopWallpaperTest.cpp KernelTest.cpp RegistryProcessTest.cpp
          RegistryTest.cpp ShellTest.cpp SingleInstanceTest.cpp X11DisplayTest.cpp)
add_library(veltrane_test_library MODULE ${CMAKE_CURRENT_SOURCE_DIR}/platform/fixtures/TestLibrary.cpp)
set_target_properties(veltrane_test_library PROPERTIES PREFIX "" OUTPUT_NAME "veltrane-test-library")
add_dependencies(test_platform veltrane_test_library)
target_compile_definitions(test_platform PRIVATE VELTRANE_TEST_LIBRARY="$<TARGET_FILE:veltrane_test_library>")
