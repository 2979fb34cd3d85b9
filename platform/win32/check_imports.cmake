# Checks with objdump that PROGRAM imports only DLLs every Windows installation has (the kernel,
# the window system, the C runtime, and the accessibility runtime with COM for screen readers), and
# that it is a windowed (not a console) program.
#   cmake -DOBJDUMP=... -DPROGRAM=... -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
set(system_dlls kernel32.dll user32.dll gdi32.dll msvcrt.dll oleacc.dll ole32.dll oleaut32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no import table found in ${PROGRAM}")
endif()
foreach(import IN LISTS imports)
  string(REGEX REPLACE "DLL Name: *" "" dll "${import}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  list(APPEND found ${dll})
  if(NOT dll IN_LIST system_dlls)
    message(SEND_ERROR "${PROGRAM} imports ${dll}, which is not a system DLL")
  endif()
endforeach()
message(STATUS "imports: ${found}")

if(NOT headers MATCHES "Subsystem[ \t]+0*2[ \t]+\\(Windows GUI\\)")
  message(SEND_ERROR "${PROGRAM} is not a windowed program")
endif()
