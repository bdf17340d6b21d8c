# The release a user installs: select_nonplanar-<version>-win32.zip holding the
# stripped DLL and its install text, and beside it the DLL's debug information
# as a separate file that the stripped DLL names (.gnu_debuglink). Every file
# is made the same way each time, and the zip carries a fixed date, so that
# the same source gives the same bytes.
set(release_name select_nonplanar-${PROJECT_VERSION}-win32)
set(release_dir ${PROJECT_BINARY_DIR}/release)
set(release_staging ${release_dir}/${release_name})
set(release_zip ${release_dir}/${release_name}.zip)
set(release_debug ${release_dir}/select_nonplanar.p.debug)
# The date every file of the release carries, in seconds since 1970.
set(release_epoch 1796947200)  # 2026-12-11 00:00 UTC

# zip, told to store no extra Unix fields (their access and change times
# would differ from build to build); its DOS times are read in UTC.
find_program(ZIP_PROGRAM zip REQUIRED)
set(reproducibly ${CMAKE_COMMAND} -E env TZ=UTC SOURCE_DATE_EPOCH=${release_epoch})

configure_file(INSTALL.txt.in ${release_staging}/INSTALL.txt @ONLY NEWLINE_STYLE CRLF)

add_custom_command(
  OUTPUT ${release_zip} ${release_debug}
  COMMAND ${reproducibly} ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:select_nonplanar> ${release_debug}
  # The link holds the debug file's name without its folder.
  COMMAND ${reproducibly} ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${release_debug}
          $<TARGET_FILE:select_nonplanar> ${release_staging}/select_nonplanar.p
  COMMAND chmod 644 select_nonplanar.p INSTALL.txt
  COMMAND ${reproducibly} touch -d @${release_epoch} select_nonplanar.p INSTALL.txt
  COMMAND ${CMAKE_COMMAND} -E rm -f ${release_zip}
  COMMAND ${reproducibly} ${ZIP_PROGRAM} -q -X -D ${release_zip} select_nonplanar.p INSTALL.txt
  WORKING_DIRECTORY ${release_staging}
  DEPENDS select_nonplanar ${release_staging}/INSTALL.txt
  COMMENT "Release package ${release_name}.zip"
  VERBATIM)
add_custom_target(release_package ALL DEPENDS ${release_zip} ${release_debug})

set(RELEASE_ZIP ${release_zip} CACHE INTERNAL "")
set(RELEASE_DEBUG_FILE ${release_debug} CACHE INTERNAL "")
