# The KDE Plasma back end, added to talvor_automation with the Wayland one
# (same libraries; sd-bus for KWin's scripts and the portal). The client glue of KWin's two protocols is generated
# from the copies in protocols/ (LGPL-2.1-or-later, from Debian's
# plasma-wayland-protocols), so that building needs no KDE package.
set(_kde_out ${CMAKE_CURRENT_BINARY_DIR}/kde-protocols)
file(MAKE_DIRECTORY ${_kde_out})
set(_kde_generated)
foreach(_proto plasma-window-management fake-input)
  set(_xml ${CMAKE_CURRENT_SOURCE_DIR}/kde/protocols/${_proto}.xml)
  add_custom_command(
    OUTPUT ${_kde_out}/${_proto}-client-protocol.h ${_kde_out}/${_proto}-protocol.c
    COMMAND ${WAYLAND_SCANNER} client-header ${_xml} ${_kde_out}/${_proto}-client-protocol.h
    COMMAND ${WAYLAND_SCANNER} private-code ${_xml} ${_kde_out}/${_proto}-protocol.c
    DEPENDS ${_xml}
    VERBATIM)
  list(APPEND _kde_generated ${_kde_out}/${_proto}-client-protocol.h ${_kde_out}/${_proto}-protocol.c)
endforeach()

target_sources(talvor_automation PRIVATE
  ${_kde_generated}
  kde/kde_automation.cpp
  kde/kde_connection.cpp
  kde/plasma_windows.cpp
  kde/layout_keys.cpp
  kde/kde_script_automation.cpp
  kde/kwin_scripts.cpp
  kde/kwin_script_text.cpp
  kde/portal_keyboard.cpp
  kde/kde_bus.cpp
)
target_include_directories(talvor_automation PRIVATE ${_kde_out})
target_compile_definitions(talvor_automation PRIVATE TALVOR_HAVE_KDE)
