# The blend weights and the tumbler's arcs must give the same doubles on every build: no fused multiply-add
# (a contracted a*b+c rounds once instead of twice) and, on 32-bit x86, SSE2 arithmetic instead of the x87
# unit's 80-bit intermediates.
add_compile_options(-ffp-contract=off)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86|X86)$" OR CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_compile_options(-msse2 -mfpmath=sse)
endif()
