# Run by cpack on the staged files: strips the programs as Debian's own
# tools do, sections that only the linker or a debugger reads included.
find_program(STRIP strip REQUIRED)
file(GLOB_RECURSE programs LIST_DIRECTORIES false
     "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*" "${CPACK_TEMPORARY_DIRECTORY}/usr/lib/talvorstart/*")
if(NOT programs)
  message(FATAL_ERROR "deb-strip: no program found in ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(program IN LISTS programs)
  execute_process(COMMAND ${STRIP} --remove-section=.comment --remove-section=.note --strip-unneeded ${program}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
