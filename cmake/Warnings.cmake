# Warnings as errors for our own targets only; third-party headers come in as SYSTEM.
# GCC 12 at -O3 reports -Wmaybe-uninitialized and -Wrestrict inside std::optional<QString>
# and std::string internals that are not faults of ours; optimised builds leave those two
# out so a release build cannot be broken by them. Debug builds, which the
# test command uses, keep every warning an error.
function(sumiplex_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<NOT:$<CONFIG:Debug>>>:-Wno-maybe-uninitialized -Wno-restrict>)
endfunction()
