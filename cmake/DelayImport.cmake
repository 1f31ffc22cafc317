# Import libraries made for delayed loading: a library linked through one is loaded at the first call of
# one of its functions, not when the process starts. Made from the toolchain's own import library (its
# function names become the list a delayed import is made of).
#
#   corvane_delay_import(<name> <output variable>)   e.g. corvane_delay_import(gdiplus DELAY_GDIPLUS)
function(corvane_delay_import name out)
  find_library(CORVANE_IMPLIB_${name} NAMES lib${name}.a REQUIRED)
  set(dir ${CMAKE_BINARY_DIR}/delayimp)
  set(def ${dir}/${name}.def)
  set(lib ${dir}/lib${name}_delayed.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND sh -c "{ echo 'LIBRARY ${name}.dll'; echo EXPORTS; '${CMAKE_NM}' '${CORVANE_IMPLIB_${name}}' | sed -n 's/^[0-9a-f]* T //p' | sort -u; } > '${def}'"
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${name}.dll --output-delaylib ${lib}
    DEPENDS ${CORVANE_IMPLIB_${name}}
    COMMENT "Making the delayed import library of ${name}.dll"
    VERBATIM)
  add_custom_target(corvane_delayimp_${name} DEPENDS ${lib})
  set(${out} ${lib} PARENT_SCOPE)
endfunction()
