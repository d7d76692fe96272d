# Build helpers shared by every layer: warnings, sanitizers and variant libraries.

# The vptr check is left out: it needs the type information of every class whose
# members are read, and the format 200 modules read format 101 objects whose type
# information lives in the format 101 module alone.
if(VARNEX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize=vptr -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize=vptr)
endif()

# Warnings for the project's own code (not for third-party headers).
function(pm_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Woverloaded-virtual -Wcast-align)
  if(VARNEX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Compiles a target with the traits of one deliverable of the variant table.
function(pm_apply_variant target deliverable)
  pm_variant_definitions(${deliverable} defs)
  target_compile_definitions(${target} PUBLIC ${defs})
  # The transform's products are evaluated in a fixed order; no fused multiply-add.
  target_compile_options(${target} PRIVATE -ffp-contract=off)
  pm_warnings(${target})
endfunction()

# A static, position-independent library of system sources compiled with the
# traits of one deliverable. The same sources are compiled once per variant.
#   pm_add_variant_library(<target> VARIANT <deliverable> SOURCES ... [LINK ...])
function(pm_add_variant_library target)
  cmake_parse_arguments(PARSE_ARGV 1 L "" "VARIANT" "SOURCES;LINK")
  add_library(${target} STATIC ${L_SOURCES})
  pm_apply_variant(${target} ${L_VARIANT})
  target_link_libraries(${target} PUBLIC ${L_LINK})
endfunction()
