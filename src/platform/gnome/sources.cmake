# The GNOME Shell back end: the session bus to the project's shell
# extension (sd-bus) and keysyms from xkbcommon; built with the Wayland one.
target_sources(talvor_automation PRIVATE
  gnome/gnome_automation.cpp
  gnome/gnome_shell_bus.cpp
  gnome/gnome_keys.cpp
  gnome/gnome_dialogs.cpp
)
target_compile_definitions(talvor_automation PRIVATE TALVOR_HAVE_GNOME)
