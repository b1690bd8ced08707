# The Windows implementation of the platform layer, included by platform/CMakeLists.txt when
# building for Windows (natively or with the mingw-w64 toolchain, tests run under Wine).
set(kestro_windows_dir ${CMAKE_CURRENT_LIST_DIR})
set(KESTRO_PLATFORM_WINDOWS_SOURCES
  ${kestro_windows_dir}/argument_text.cpp
  ${kestro_windows_dir}/command_line_text.cpp
  ${kestro_windows_dir}/native_file_system.cpp
  ${kestro_windows_dir}/native_settings_store.cpp
  ${kestro_windows_dir}/registry_settings_store.cpp
  ${kestro_windows_dir}/state_folder.cpp
  ${kestro_windows_dir}/system_clock.cpp
  ${kestro_windows_dir}/text_output.cpp
  ${kestro_windows_dir}/wide_text.cpp
  ${kestro_windows_dir}/windows_entry_dates.cpp
  ${kestro_windows_dir}/windows_error_status.cpp
  ${kestro_windows_dir}/windows_file_system.cpp
  ${kestro_windows_dir}/windows_name_rules.cpp
  ${kestro_windows_dir}/windows_path.cpp
  ${kestro_windows_dir}/window_program.cpp
)
set(KESTRO_PLATFORM_WINDOWS_TEST_SOURCES
  ${kestro_windows_dir}/registry_settings_store_test.cpp
  ${kestro_windows_dir}/windows_file_system_test.cpp
  ${kestro_windows_dir}/windows_text_test.cpp
)
# advapi32 for the registry, shell32 and ole32 for the local application data folder; kernel32
# comes with every Windows program.
set(KESTRO_PLATFORM_WINDOWS_LIBS advapi32 shell32 ole32)
target_link_libraries(kestro_platform PUBLIC advapi32 shell32 ole32)
# Unicode entry points throughout.
target_compile_definitions(kestro_platform PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
