# Sources are found by folder so that adding a file needs no CMake edit.
# vx50_glob(<out> <dir>...) collects the .cpp files directly in each dir.
function(vx50_glob out)
    set(files)
    foreach(dir IN LISTS ARGN)
        file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
        list(APPEND files ${found})
    endforeach()
    set(${out} ${files} PARENT_SCOPE)
endfunction()

# Subfolders of <dir> that carry their own CMakeLists.txt.
function(vx50_own_projects out dir)
    file(GLOB entries LIST_DIRECTORIES true ${dir}/*)
    set(dirs)
    foreach(entry IN LISTS entries)
        if(IS_DIRECTORY ${entry} AND EXISTS ${entry}/CMakeLists.txt)
            list(APPEND dirs ${entry})
        endif()
    endforeach()
    set(${out} ${dirs} PARENT_SCOPE)
endfunction()
