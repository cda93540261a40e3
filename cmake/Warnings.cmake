add_compile_options(-Wall -Wextra -Wno-unused-parameter)
