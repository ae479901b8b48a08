# Fails unless a Windows program imports only the DLLs that Windows itself
# ships, so that the program runs wherever it is copied, alone, and unless it
# is small enough to be handed out as one file.
#
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DPROGRAM=ruler.exe
#         -DMAX_BYTES=1048576 -P check_imports.cmake
cmake_minimum_required(VERSION 3.22)

foreach(variable OBJDUMP PROGRAM MAX_BYTES)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "check_imports: -D${variable}= is missing")
    endif()
endforeach()

# The system's own libraries and its C runtime: msvcrt, or the universal one
# (ucrtbase and its api-ms-win-crt-* sets). A DLL of the compiler's (the C++
# library, libgcc, winpthread) would have to be shipped beside the program.
set(system_libraries
    advapi32 comctl32 comdlg32 dwmapi gdi32 imm32 kernel32 msimg32 msvcrt ole32 oleaut32
    shcore shell32 shlwapi ucrtbase user32 uxtheme version winmm)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
    OUTPUT_VARIABLE headers ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed (${result}):\n${errors}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" import_lines "${headers}")
if(NOT import_lines)
    message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} lists no imported DLL: not a Windows program?")
endif()
set(imports)
set(foreign)
foreach(line IN LISTS import_lines)
    string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
    string(STRIP "${dll}" dll)
    list(APPEND imports ${dll})
    string(TOLOWER "${dll}" name)
    string(REGEX REPLACE "\\.dll$" "" name "${name}")
    if(NOT name IN_LIST system_libraries AND NOT name MATCHES "^api-ms-win-")
        list(APPEND foreign ${dll})
    endif()
endforeach()

file(SIZE ${PROGRAM} size)
list(JOIN imports ", " import_text)
message(STATUS "${PROGRAM}: ${size} bytes, imports ${import_text}")

if(foreign)
    list(JOIN foreign ", " foreign_text)
    message(SEND_ERROR "${PROGRAM} imports DLLs that Windows does not ship: ${foreign_text}")
endif()
if(size GREATER MAX_BYTES)
    message(SEND_ERROR "${PROGRAM} is ${size} bytes, more than ${MAX_BYTES}")
endif()
