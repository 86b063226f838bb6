# Delay-loaded system libraries for the Windows build.
#
# A DLL linked through a delay-import library is loaded on the first call
# into it, not when the process starts: the program reaches the tray without
# loading (and initialising) what only a download, an update check or an
# opened page needs. The linker takes such a library like any import
# library; the run-time side (__delayLoadHelper2) comes with the MinGW
# runtime.
#
# velora_delay_import_library(<variable> <library> <dll>)
#   Makes the delay-import library for the import library `lib<library>.a`
#   of the toolchain, whose functions live in `<dll>`, and sets <variable>
#   to its path. The list of exports is read from the import library itself,
#   so no list is kept here.

# The toolchain's binutils (the toolchain file names the prefix).
find_program(VELORA_DLLTOOL NAMES ${VELORA_MINGW_PREFIX}-dlltool dlltool REQUIRED)
find_program(VELORA_NM NAMES ${VELORA_MINGW_PREFIX}-nm nm REQUIRED)

function(velora_delay_import_library variable library dll)
  find_library(VELORA_IMPORT_${library} NAMES lib${library}.a REQUIRED NO_CACHE)
  set(dir ${CMAKE_BINARY_DIR}/delayimp)
  set(def ${dir}/${library}.def)
  set(out ${dir}/lib${library}_delay.a)
  file(MAKE_DIRECTORY ${dir})
  if(NOT EXISTS ${out} OR ${VELORA_IMPORT_${library}} IS_NEWER_THAN ${out})
    execute_process(COMMAND ${VELORA_NM} -g ${VELORA_IMPORT_${library}}
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    # Every function the import library names has an "__imp_" pointer.
    string(REGEX MATCHALL "[ \t]I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
    list(TRANSFORM imports REPLACE "^[ \t]I __imp_" "")
    list(REMOVE_DUPLICATES imports)
    list(JOIN imports "\n" lines)
    file(WRITE ${def} "LIBRARY ${dll}\nEXPORTS\n${lines}\n")
    # Made under another name first: a run that stops half-way leaves no
    # library that a later run would take for finished.
    execute_process(COMMAND ${VELORA_DLLTOOL} --input-def ${def} --dllname ${dll} --output-delaylib ${out}.new
                    COMMAND_ERROR_IS_FATAL ANY)
    file(RENAME ${out}.new ${out})
  endif()
  set(${variable} ${out} PARENT_SCOPE)
endfunction()
