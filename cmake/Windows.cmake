# MinGW build: MouseCore.dll, zoram.exe (carrying the DLL as a resource) and
# the Win32 helper programs of the end-to-end tests.
enable_language(RC)
set(WIN_DEFS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# No MinGW runtime DLLs beside the program: everything is linked in.
set(WIN_LINK_OPTIONS -static -static-libgcc -static-libstdc++ -s)
target_compile_definitions(zoram_core PUBLIC ${WIN_DEFS})

add_library(MouseCore SHARED
  ${CMAKE_SOURCE_DIR}/src/hook/win32/MouseCore.cpp
  ${CMAKE_SOURCE_DIR}/src/hook/win32/MouseCore.def)
set_target_properties(MouseCore PROPERTIES PREFIX "" OUTPUT_NAME MouseCore
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(MOUSECORE_DLL ${CMAKE_BINARY_DIR}/MouseCore.dll)
target_include_directories(MouseCore PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_options(MouseCore PRIVATE ${WIN_LINK_OPTIONS} -Wl,--kill-at -Wl,--enable-stdcall-fixup)
target_link_libraries(MouseCore PRIVATE user32)

# The Win32 layer, less the entry point, as a library the test programs share.
file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/win32/*.cpp)
list(FILTER WIN32_SOURCES EXCLUDE REGEX "/src/hook/win32/|/WinMain\\.cpp$")
add_library(zoram_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(zoram_win32 PUBLIC zoram_core
  user32 gdi32 shell32 comctl32 comdlg32 psapi winmm wininet advapi32 ole32 uuid)
target_compile_options(zoram_win32 PRIVATE -Wall -Wextra)

configure_file(${CMAKE_SOURCE_DIR}/src/app/win32/zoram.rc.in ${CMAKE_BINARY_DIR}/zoram.rc @ONLY)
add_executable(zoram WIN32 ${CMAKE_SOURCE_DIR}/src/app/win32/WinMain.cpp ${CMAKE_BINARY_DIR}/zoram.rc)
target_include_directories(zoram PRIVATE ${CMAKE_SOURCE_DIR}/src/app/win32)
add_dependencies(zoram MouseCore)
set_source_files_properties(${CMAKE_BINARY_DIR}/zoram.rc PROPERTIES
  OBJECT_DEPENDS "${MOUSECORE_DLL};${CMAKE_SOURCE_DIR}/src/app/win32/zoram.manifest")
target_compile_options(zoram PRIVATE -municode)
target_link_options(zoram PRIVATE -municode ${WIN_LINK_OPTIONS})
target_link_libraries(zoram PRIVATE zoram_win32)

# Helper programs of the end-to-end tests: one executable per source file.
file(GLOB E2E_PROGRAMS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/programs/*.cpp)
foreach(src ${E2E_PROGRAMS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} WIN32 ${src})
  target_compile_options(${name} PRIVATE -municode)
  target_link_options(${name} PRIVATE -municode ${WIN_LINK_OPTIONS})
  target_link_libraries(${name} PRIVATE zoram_win32)
endforeach()
