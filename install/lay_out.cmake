# Copies the shipped content into the installation folder, leaving every file
# that is already there alone (the player's edits survive a rebuild).
file(GLOB_RECURSE shipped RELATIVE ${SOURCE} ${SOURCE}/scg/* ${SOURCE}/games/* ${SOURCE}/crv/* ${SOURCE}/ryx/*)
foreach(item ${shipped})
  if(NOT EXISTS ${DEST}/${item})
    get_filename_component(folder ${DEST}/${item} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(COPY_FILE ${SOURCE}/${item} ${DEST}/${item})
  endif()
endforeach()
foreach(folder scg games crv ryx)
  file(MAKE_DIRECTORY ${DEST}/${folder})
endforeach()
