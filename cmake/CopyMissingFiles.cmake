# Copies the folders and files below SOURCE into DESTINATION where
# DESTINATION has none of that name. A file already there stays as it is:
# the program folder's device files are the user's to edit (the address-table
# editor saves the shipped device's table too), so a build or an install
# must not put the shipped version back over them.
#
#   cmake -DSOURCE=<folder> -DDESTINATION=<folder> -P CopyMissingFiles.cmake

if(NOT IS_DIRECTORY "${SOURCE}" OR NOT DESTINATION)
    message(FATAL_ERROR "CopyMissingFiles: SOURCE must be a folder and DESTINATION set")
endif()

file(MAKE_DIRECTORY "${DESTINATION}")
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${SOURCE}" "${SOURCE}/*")
list(SORT entries) # a folder before what it holds
foreach(entry IN LISTS entries)
    set(from "${SOURCE}/${entry}")
    set(to "${DESTINATION}/${entry}")
    if(IS_DIRECTORY "${from}")
        file(MAKE_DIRECTORY "${to}")
    elseif(NOT EXISTS "${to}" AND NOT IS_SYMLINK "${to}")
        file(COPY_FILE "${from}" "${to}")
    endif()
endforeach()
