# Layer rules: a target may link only the targets listed for it (plus system and
# third-party libraries). quarn_check_layers() runs after all targets exist and stops
# the configure step when a target links a project target it should not.
set(QUARN_LAYER_TARGETS
  quarn_charts quarn_engine QUARN2015_DLL components_core components_widgets app_core app_gui
  WINQUARN2015 quarn-run)

# The design charts sit below both the engine and the program, which draws them.
set(QUARN_ALLOWED_quarn_charts "")
set(QUARN_ALLOWED_quarn_engine quarn_charts)
set(QUARN_ALLOWED_QUARN2015_DLL quarn_engine)
set(QUARN_ALLOWED_components_core "")
set(QUARN_ALLOWED_components_widgets components_core)
set(QUARN_ALLOWED_app_core components_core)
set(QUARN_ALLOWED_app_gui app_core components_widgets components_core quarn_charts)
set(QUARN_ALLOWED_WINQUARN2015 app_gui app_core components_widgets components_core quarn_charts)
set(QUARN_ALLOWED_quarn-run app_core components_core)

# Third-party libraries each layer may use beyond the standard library.
set(QUARN_FOREIGN_quarn_charts "")
set(QUARN_FOREIGN_quarn_engine "")
set(QUARN_FOREIGN_components_core "Qt6::Core")

function(quarn_check_layers)
  foreach(tgt IN LISTS QUARN_LAYER_TARGETS)
    if(NOT TARGET ${tgt})
      continue()
    endif()
    # A header-only layer names what it needs in its interface only.
    get_target_property(type ${tgt} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(libs ${tgt} INTERFACE_LINK_LIBRARIES)
    else()
      get_target_property(libs ${tgt} LINK_LIBRARIES)
    endif()
    if(NOT libs)
      continue()
    endif()
    foreach(lib IN LISTS libs)
      if(lib IN_LIST QUARN_LAYER_TARGETS AND NOT lib IN_LIST QUARN_ALLOWED_${tgt})
        message(FATAL_ERROR "layer rule: ${tgt} may not link ${lib}")
      endif()
      if(DEFINED QUARN_FOREIGN_${tgt} AND NOT lib IN_LIST QUARN_LAYER_TARGETS
         AND NOT lib IN_LIST QUARN_FOREIGN_${tgt} AND lib MATCHES "::")
        message(FATAL_ERROR "layer rule: ${tgt} may not link ${lib}")
      endif()
    endforeach()
  endforeach()
endfunction()
