cmake_policy(VERSION 3.25)
# Checks that no two files of the program define a class of the same name
# outside an anonymous namespace. Run by CTest:
#   cmake -DPROJECT_DIR=<the project's folder> -P CheckTypeNames.cmake
# over the program's code: src/ and protocol/.
#
# Two such classes break the one-definition rule: the linker keeps one of
# their inline member functions (an implicit constructor among them) for
# both, so one class gets constructed with the other's layout. Classes are
# found at the start of a line (the code's style) and qualified by the named
# namespaces they stand in; those inside "namespace {" ... "} // namespace"
# are each file's own.
set(DEFINITIONS "")
foreach(dir ${PROJECT_DIR}/src ${PROJECT_DIR}/protocol)
    file(GLOB_RECURSE files ${dir}/*.h ${dir}/*.cpp)
    foreach(file IN LISTS files)
        file(RELATIVE_PATH rel ${dir}/.. ${file})
        # One list item per line: brackets and semicolons would otherwise
        # join or split lines. They become "@", which no name holds, so a
        # forward declaration ("class Name;") matches no definition below
        # while a definition on one line ("struct Name {};") still does.
        file(READ ${file} text)
        string(REGEX REPLACE "[][;]" "@" text "${text}")
        string(REPLACE "\n" ";" lines "${text}")
        set(anonymous FALSE)
        set(scope "")
        foreach(line IN LISTS lines)
            if(line MATCHES "^namespace[ \t]*\\{")
                set(anonymous TRUE)
            elseif(line MATCHES "^namespace[ \t]+([A-Za-z_][A-Za-z0-9_:]*)[ \t]*\\{")
                set(scope "${CMAKE_MATCH_1}::")
            elseif(line MATCHES "^\\}[ \t]*//[ \t]*namespace[ \t]*$")
                set(anonymous FALSE)
            elseif(line MATCHES "^\\}[ \t]*//[ \t]*namespace[ \t]+[A-Za-z_]")
                set(scope "")
            elseif(NOT anonymous
                    AND line MATCHES "^(class|struct|union)[ \t]+([A-Za-z_][A-Za-z0-9_]*)([ \t]+final)?([ \t]*:[^:].*|[ \t]*\\{.*|[ \t]*)$")
                set(name "${scope}${CMAKE_MATCH_2}")
                string(MAKE_C_IDENTIFIER "${name}" key)
                if(DEFINED FILES_${key} AND NOT rel IN_LIST FILES_${key})
                    list(APPEND DEFINITIONS ${key})
                endif()
                list(APPEND FILES_${key} ${rel})
                set(NAME_${key} "${name}")
            endif()
        endforeach()
    endforeach()
endforeach()

list(REMOVE_DUPLICATES DEFINITIONS)
if(DEFINITIONS)
    set(message "")
    foreach(key IN LISTS DEFINITIONS)
        list(JOIN FILES_${key} ", " where)
        string(APPEND message "  ${NAME_${key}} is defined in ${where}\n")
    endforeach()
    message(FATAL_ERROR "Classes of the same name in more than one file:\n${message}")
endif()
