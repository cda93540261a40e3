# The copy of the shipped device files into the program folder (run by every
# build and install) keeps what the folder holds: the shipped device's table
# that a user edited stays edited, while a missing file or folder is copied.
#
#   cmake -DSCRIPT=<cmake/CopyMissingFiles.cmake> -DSHIPPED=<data/Device> -DWORK=<scratch folder>
#         -P CopyMissingFilesTest.cmake

set(device "ModBus SlaveCommunication.add")
set(program "${WORK}/program/Device")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${program}")

function(copy_shipped)
    execute_process(COMMAND "${CMAKE_COMMAND}" "-DSOURCE=${SHIPPED}" "-DDESTINATION=${program}" -P "${SCRIPT}"
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "the copy failed: ${result}")
    endif()
endfunction()

# Compared as hexadecimal text: the files' line ends and semicolons stay
# as they are.
function(expect_same_file path reference what)
    file(READ "${path}" actual HEX)
    file(READ "${reference}" expected HEX)
    if(NOT actual STREQUAL expected)
        message(FATAL_ERROR "${what}: ${path} differs from ${reference}")
    endif()
endfunction()

# A fresh program folder gets the shipped file.
copy_shipped()
expect_same_file("${program}/${device}" "${SHIPPED}/${device}" "a missing device file is copied")

# The user's edit survives the next build.
set(edited "${WORK}/edited.add")
file(WRITE "${edited}" "DLLNAME:ModBus Slave.dll;\r\nCANEDIT:1;\r\n[ADDRESS]\r\nLIST:Mine;0;1;1;\r\nM0=0;\r\nEND:\r\n")
file(COPY_FILE "${edited}" "${program}/${device}")
copy_shipped()
expect_same_file("${program}/${device}" "${edited}" "an edited device file is kept")

# A file the user removed comes back; a folder the program folder lacks is made.
file(REMOVE_RECURSE "${program}")
copy_shipped()
expect_same_file("${program}/${device}" "${SHIPPED}/${device}" "a removed device file is copied again")
