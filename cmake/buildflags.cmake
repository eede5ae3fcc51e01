# Debian's hardening flags (dpkg-buildflags: stack protector, fortify,
# format checks, relro and bindnow) for everything built here, so that the
# package ships the program that the tests ran.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    # From the source folder: its -ffile-prefix-map maps the current one.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS} --get ${kind}
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(DEB_${kind} ${flags})
  endforeach()
  # Generated sources (moc, protocol glue) too: two builds of one commit in
  # different folders give the same bytes, build id included.
  add_compile_options(${DEB_CPPFLAGS} ${DEB_CXXFLAGS} -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
  add_link_options(${DEB_LDFLAGS})
else()
  message(WARNING "dpkg-buildflags (dpkg-dev) missing: built without Debian's hardening flags")
endif()

# Dates in the man page, the changelog and the metainfo: the last commit's,
# unless the caller set one.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE git_status)
  if(git_status EQUAL 0 AND epoch)
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  endif()
endif()
set(TALVOR_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
