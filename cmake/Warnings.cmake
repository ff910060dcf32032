# Warnings on for all of our own code, and clean.
add_compile_options(-Wall -Wextra -Wpedantic)
