# The part of `cmake --install` that depends on the prefix: included by the
# install script with HELIRYX_SOURCE, HELIRYX_FOLDER_IN_PREFIX,
# HELIRYX_MENU_PROGRAMS and HELIRYX_REGISTER_APP_PATH set.

get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(folder "${prefix}/${HELIRYX_FOLDER_IN_PREFIX}")
set(staged "$ENV{DESTDIR}")

message(STATUS "Laying out: ${staged}${folder}")
execute_process(COMMAND "${CMAKE_COMMAND}" "-DSOURCE=${HELIRYX_SOURCE}" "-DDEST=${staged}${folder}"
                        -P "${HELIRYX_SOURCE}/lay_out.cmake"
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Could not lay out the installation folder ${staged}${folder}")
endif()

# A value of type string in a desktop entry: a backslash is written doubled.
function(heliryx_desktop_string out text)
  if(text MATCHES "[\n\r\t]")
    message(FATAL_ERROR "A menu entry cannot name a path with a line break or tab: ${text}")
  endif()
  string(REPLACE "\\" "\\\\" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# One argument of Exec: quoted when it holds a reserved character, with ",
# `, $ and \ escaped inside the quotes; % doubled, as it starts a field code.
function(heliryx_desktop_exec out path)
  string(REPLACE "%" "%%" arg "${path}")
  if(arg MATCHES "[] \"'\\\\<>~|&;$*?#`()[]")
    foreach(special "\\" "\"" "`" "$")
      string(REPLACE "${special}" "\\${special}" arg "${arg}")
    endforeach()
    set(arg "\"${arg}\"")
  endif()
  heliryx_desktop_string(arg "${arg}")
  set(${out} "${arg}" PARENT_SCOPE)
endfunction()

foreach(program IN LISTS HELIRYX_MENU_PROGRAMS)
  heliryx_desktop_string(TRYEXEC "${folder}/${program}")
  heliryx_desktop_exec(EXEC "${folder}/${program}")
  file(READ "${HELIRYX_SOURCE}/menu/heliryx360-${program}.desktop.in" template)
  string(CONFIGURE "${template}" entry @ONLY)
  set(path "${prefix}/share/applications/heliryx360-${program}.desktop")
  message(STATUS "Installing: ${staged}${path}")
  file(WRITE "${staged}${path}" "${entry}")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${path}")
endforeach()

# Last, once the folder is complete. A staged install (DESTDIR, for a package)
# is not this user's installation, so it records nothing.
if(staged STREQUAL "")
  message(STATUS "Recording AppPath ${folder} in the registry store")
  execute_process(COMMAND "${HELIRYX_REGISTER_APP_PATH}" "${folder}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not record AppPath ${folder} in the registry store")
  endif()
else()
  message(STATUS "Staged install: AppPath is not recorded")
endif()
