# Removes the files that the last `cmake --install` from this build folder
# wrote, as install_manifest.txt lists them, and then the game's own folders
# (share/zarvo, libexec/zarvo and those inside them) once they are empty.
# Folders shared with other programs (bin, share/applications, the icon
# theme) stay. Run from the build folder: cmake -P Uninstall.cmake
set(manifest install_manifest.txt)
if(NOT EXISTS ${manifest})
  message(FATAL_ERROR "Nothing to uninstall: no ${manifest} in this build folder")
endif()
file(STRINGS ${manifest} files)
set(folders)
foreach(file IN LISTS files)
  if(EXISTS "$ENV{DESTDIR}${file}" OR IS_SYMLINK "$ENV{DESTDIR}${file}")
    message(STATUS "Removing: $ENV{DESTDIR}${file}")
    file(REMOVE "$ENV{DESTDIR}${file}")
  endif()
  get_filename_component(folder "${file}" DIRECTORY)
  list(APPEND folders "${folder}")
endforeach()
list(REMOVE_DUPLICATES folders)
# The deepest first, so that a folder is empty by the time its parent comes.
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  while(folder MATCHES "/zarvo(/|$)")
    file(GLOB left "$ENV{DESTDIR}${folder}/*")
    if(left OR NOT IS_DIRECTORY "$ENV{DESTDIR}${folder}")
      break()
    endif()
    message(STATUS "Removing: $ENV{DESTDIR}${folder}/")
    file(REMOVE_RECURSE "$ENV{DESTDIR}${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()
