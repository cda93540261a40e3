# Every test run of the sanitized configuration is also a memory-safety run:
# any report ends the test with a failure.
if(VX50_SANITIZE)
    set(VX50_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-sanitize=vptr -fno-omit-frame-pointer)
    add_compile_options(${VX50_SAN_FLAGS})
    add_link_options(${VX50_SAN_FLAGS})
endif()
