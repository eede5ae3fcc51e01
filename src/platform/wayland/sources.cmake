# The Wayland back end, added to talvor_automation when the top level found
# libwayland-client, xkbcommon and wayland-scanner. The client glue of the
# two protocols is generated from the definitions in protocols/.
set(_wl_out ${CMAKE_CURRENT_BINARY_DIR}/wayland-protocols)
file(MAKE_DIRECTORY ${_wl_out})
set(_wl_generated)
foreach(_proto wlr-foreign-toplevel-management-unstable-v1 virtual-keyboard-unstable-v1)
  set(_xml ${CMAKE_CURRENT_SOURCE_DIR}/wayland/protocols/${_proto}.xml)
  add_custom_command(
    OUTPUT ${_wl_out}/${_proto}-client-protocol.h ${_wl_out}/${_proto}-protocol.c
    COMMAND ${WAYLAND_SCANNER} client-header ${_xml} ${_wl_out}/${_proto}-client-protocol.h
    COMMAND ${WAYLAND_SCANNER} private-code ${_xml} ${_wl_out}/${_proto}-protocol.c
    DEPENDS ${_xml}
    VERBATIM)
  list(APPEND _wl_generated ${_wl_out}/${_proto}-client-protocol.h ${_wl_out}/${_proto}-protocol.c)
endforeach()

target_sources(talvor_automation PRIVATE
  ${_wl_generated}
  wayland/wayland_automation.cpp
  wayland/wayland_connection.cpp
  wayland/wayland_toplevels.cpp
  wayland/wayland_keyboard.cpp
  wayland/wayland_keymap.cpp
  wayland/wayland_wait.cpp
  wayland/own_app_id.cpp
)
target_include_directories(talvor_automation PRIVATE ${_wl_out})
target_compile_definitions(talvor_automation PRIVATE TALVOR_HAVE_WAYLAND)
target_link_libraries(talvor_automation PRIVATE PkgConfig::WAYLAND_CLIENT PkgConfig::XKBCOMMON)
