# Run by CPack on the staged files, before they are packed: what Debian asks of
# a package beyond the install rules. Man pages and the changelog are gzipped
# reproducibly (-9n), and every folder is rwxr-xr-x whatever the umask was.
set(root "${CPACK_TEMPORARY_DIRECTORY}")
set(docs "${root}/usr/share/doc/${CPACK_PACKAGE_NAME}")

file(GLOB_RECURSE pages "${root}/usr/share/man/*")
list(FILTER pages EXCLUDE REGEX "\\.gz$")
file(COPY "${CPACK_GLIMORA_CHANGELOG}" DESTINATION "${docs}"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
foreach(file ${pages} "${docs}/changelog")
  execute_process(COMMAND gzip -9nf "${file}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot compress ${file}")
  endif()
endforeach()

file(GLOB_RECURSE folders LIST_DIRECTORIES true "${root}/*")
list(FILTER folders EXCLUDE REGEX "/DEBIAN($|/)")
foreach(folder "${root}" ${folders})
  if(IS_DIRECTORY "${folder}")
    file(CHMOD "${folder}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
