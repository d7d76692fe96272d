# Link options of a DWG module (a shared library the host loads with acrxLoadModule).
#
# The host loads every module as a local library. Modules of different builds export
# classes of the same names with different bodies; -Bsymbolic makes each module bind
# its own definitions, as separate DLLs do on Windows, even where the host process or
# another library defines the same names. A module links DwgHost as well.
function(pm_dwg_module_link_options target)
  target_link_options(${target} PRIVATE -Wl,-Bsymbolic)
endfunction()
