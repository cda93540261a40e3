# Every test run of a sanitized configuration is also a memory-safety or a
# data-race run: any report ends the test with a failure. AddressSanitizer and
# ThreadSanitizer cannot share one build.
if(VX50_SANITIZE AND VX50_TSAN)
    message(FATAL_ERROR "VX50_SANITIZE and VX50_TSAN exclude each other: configure a build directory for each")
endif()
if(VX50_SANITIZE)
    set(VX50_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-sanitize=vptr -fno-omit-frame-pointer)
    add_compile_options(${VX50_SAN_FLAGS})
    add_link_options(${VX50_SAN_FLAGS})
endif()
if(VX50_TSAN)
    set(VX50_SAN_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
    add_compile_options(${VX50_SAN_FLAGS})
    add_link_options(${VX50_SAN_FLAGS})
endif()

# Sanitizer reports need files and lines only: line tables instead of full
# debug information make the test configurations' compiles and links about a
# fifth cheaper.
if(VX50_SANITIZE OR VX50_TSAN)
    add_compile_options(-g1)
endif()
