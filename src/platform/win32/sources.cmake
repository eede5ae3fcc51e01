# The Win32 back end's files and definitions, for the program's build and
# for the cross-built tests.
set(TALVOR_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/win32_automation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_batch_start.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_foreground_wait.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_held_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_modifiers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_processed.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_toast.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_toast_registration.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toast_script.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_windows.cpp
)
set(TALVOR_WIN32_DEFINITIONS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
