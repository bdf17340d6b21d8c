# Windows: GoogleTest built from Debian's sources with the cross compiler, and
# the test programs run under Wine (the toolchain's emulator).
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The DLL imports the host functions from orrim.exe, so the program that loads
# it must be that module: the test program is named orrim.exe, in a folder of
# its own with the modules beside it.
set(windows_test_dir ${CMAKE_BINARY_DIR}/windows_tests)
add_executable(windows_plugin_tests ${behaviour_tests} loaded_plugin.cpp module_loading_test.cpp ${ORRIM_EXPORTS_DEF})
target_link_libraries(windows_plugin_tests PRIVATE orrim_host gtest_main)
target_compile_definitions(windows_plugin_tests PRIVATE
  PLUGIN_MODULE_PATH="select_nonplanar.p" INCOMPLETE_MODULE_PATH="incomplete_module.p")
set_target_properties(windows_plugin_tests PROPERTIES
  OUTPUT_NAME orrim RUNTIME_OUTPUT_DIRECTORY ${windows_test_dir} ENABLE_EXPORTS ON)
add_custom_command(TARGET windows_plugin_tests POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:select_nonplanar> $<TARGET_FILE:incomplete_module> ${windows_test_dir})
add_dependencies(windows_plugin_tests select_nonplanar incomplete_module)

set(wine_environment "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")

# A fresh Wine prefix is made once, before any test program runs in it.
add_test(NAME windows.wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
set_tests_properties(windows.wine_prefix PROPERTIES ENVIRONMENT "${wine_environment}" FIXTURES_SETUP wine
  SKIP_RETURN_CODE 77)

add_test(NAME windows.plugin_tests COMMAND windows_plugin_tests WORKING_DIRECTORY ${windows_test_dir})
add_test(NAME windows.dll_headers
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check_windows_dll.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:select_nonplanar>
                 $<TARGET_OBJECTS:select_nonplanar>)
add_test(NAME windows.orrim_program
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/orrim_program_test.sh $<TARGET_FILE:orrim> ${CMAKE_CROSSCOMPILING_EMULATOR})
set_tests_properties(windows.plugin_tests windows.orrim_program PROPERTIES
  ENVIRONMENT "${wine_environment}" FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77)

# The release package: its contents, the DLL's version resource as Windows
# reads it, and the same bytes from two clean builds.
add_test(NAME windows.release_package
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check_release.sh ${CMAKE_OBJDUMP} ${RELEASE_ZIP} ${RELEASE_DEBUG_FILE}
                 ${PROJECT_VERSION})
add_test(NAME windows.release_reproducible
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check_reproducible_release.sh ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION})

add_executable(version_resource version_resource.cpp)
target_link_libraries(version_resource PRIVATE version)
add_test(NAME windows.release_version_resource
         COMMAND version_resource ${CMAKE_BINARY_DIR}/release/select_nonplanar-${PROJECT_VERSION}-win32/select_nonplanar.p)
set(v ${PROJECT_VERSION})
set(v4 ${PROJECT_VERSION}.0)
set_tests_properties(windows.release_version_resource PROPERTIES
  ENVIRONMENT "${wine_environment}" FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77
  PASS_REGULAR_EXPRESSION "file version: ${v4}\r?\nproduct version: ${v4}\r?\nfile type: DLL\r?\nFileVersion: ${v}\r?\nProductVersion: ${v}\r?\nProductName: Select non-planar surfaces\r?\nFileDescription: Orrim plug-in: Select non-planar surfaces\r?\nOriginalFilename: select_nonplanar.p")
