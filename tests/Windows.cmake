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
  ${CMAKE_CURRENT_SOURCE_DIR}/support/ScopedEnvironment.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/TempConfigHome.cpp
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
  EXCLUDE ChildProcessTest.cpp DesktopWallpaperTest.cpp KernelTest.cpp RegistryProcessTest.cpp TestMain.cpp
          RegistryTest.cpp ShellTest.cpp SingleInstanceTest.cpp X11DisplayTest.cpp)
add_library(veltrane_test_library MODULE ${CMAKE_CURRENT_SOURCE_DIR}/platform/fixtures/TestLibrary.cpp)
set_target_properties(veltrane_test_library PROPERTIES PREFIX "" OUTPUT_NAME "veltrane-test-library")
add_dependencies(test_platform veltrane_test_library)
target_compile_definitions(test_platform PRIVATE VELTRANE_TEST_LIBRARY="$<TARGET_FILE:veltrane_test_library>")

# --- the folders above platform -------------------------------------------------------
# Left out, as they test POSIX or X11 facilities: the comparisons of the JPEG decoder with
# the build machine's djpeg and the BMP writer against planted links, FIFOs and file size
# limits (gfx), the X11 application, form and message box tests (ui),
# the file store of the POSIX registry (engine Settings), the forked provider calls
# (engine Password), the xdg-open link opener (widgets Label3D) and the dialog tests that
# run on Xvfb (config). The Wine tests of tests/e2e/WineTest.cpp drive those parts of the
# Windows build, and compare the posters it decodes with the Linux build's pixel for pixel.
veltrane_windows_tests(gfx LIBS gfx JPEG::JPEG EXCLUDE BmpCodecTest.cpp JpegDecoderTest.cpp)
veltrane_windows_tests(classes LIBS classes ui)
veltrane_windows_tests(ui LIBS ui EXCLUDE ApplicationX11Test.cpp FormX11Test.cpp MessageBoxX11Test.cpp)
veltrane_windows_tests(engine LIBS engine EXCLUDE SettingsTest.cpp PasswordTest.cpp)
veltrane_windows_tests(lang LIBS lang ui)
veltrane_windows_tests(widgets LIBS widgets EXCLUDE Label3DTest.cpp)
veltrane_windows_tests(view LIBS view)
veltrane_windows_tests(config LIBS config EXCLUDE DialogLanguageTest.cpp FrmConfigTest.cpp WallpaperTest.cpp)
if(TARGET veltrane_gallery)
  veltrane_windows_tests(tools LIBS veltrane_gallery)
endif()

# Verification providers for the view's password tests, as DLLs.
foreach(name accept refuse)
  string(TOUPPER ${name} upper)
  add_library(veltrane_test_verify_${name} MODULE ${CMAKE_CURRENT_SOURCE_DIR}/engine/fixtures/VerifyProvider.cpp)
  set_target_properties(veltrane_test_verify_${name} PROPERTIES PREFIX "" OUTPUT_NAME "veltrane-test-verify-${name}")
  target_compile_definitions(veltrane_test_verify_${name} PRIVATE VELTRANE_PROVIDER_${upper})
endforeach()
add_dependencies(test_view veltrane_test_verify_accept veltrane_test_verify_refuse)
target_compile_definitions(test_view PRIVATE
  VELTRANE_VERIFY_ACCEPT="$<TARGET_FILE:veltrane_test_verify_accept>"
  VELTRANE_VERIFY_REFUSE="$<TARGET_FILE:veltrane_test_verify_refuse>")

# The stand-in preview host the end-to-end tests under Wine start (tests/e2e/WineTest.cpp).
add_executable(PreviewHost WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/wine/PreviewHost.cpp)
set_target_properties(PreviewHost PROPERTIES OUTPUT_NAME PreviewHost)
add_dependencies(veltrane_windows_tests PreviewHost)
