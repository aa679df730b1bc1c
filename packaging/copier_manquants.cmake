# cmake -DSOURCE=folder -DDESTINATION=folder -P copier_manquants.cmake
# Copies the files of SOURCE that DESTINATION lacks; files already there,
# edited or not, stay as they are.
get_filename_component(SOURCE "${SOURCE}" ABSOLUTE)
get_filename_component(DESTINATION "${DESTINATION}" ABSOLUTE)
file(GLOB_RECURSE fichiers LIST_DIRECTORIES false RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(fichier IN LISTS fichiers)
  if(NOT EXISTS "${DESTINATION}/${fichier}")
    get_filename_component(dossier "${DESTINATION}/${fichier}" DIRECTORY)
    file(COPY "${SOURCE}/${fichier}" DESTINATION "${dossier}")
  endif()
endforeach()
