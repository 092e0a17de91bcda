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

# Libraries from outside the project that each layer may link beyond the standard library;
# anything else, with or without a "::", stops the configure step.
set(QUARN_FOREIGN_quarn_charts "")
set(QUARN_FOREIGN_quarn_engine "")
set(QUARN_FOREIGN_QUARN2015_DLL "")
set(QUARN_FOREIGN_components_core Qt6::Core ${CMAKE_DL_LIBS})
set(QUARN_FOREIGN_app_core PkgConfig::XLSXWRITER)
set(QUARN_FOREIGN_quarn-run "")
set(QUARN_FOREIGN_components_widgets Qt6::Widgets Qt6::PrintSupport)
set(QUARN_FOREIGN_app_gui Qt6::Widgets Qt6::PrintSupport)
set(QUARN_FOREIGN_WINQUARN2015 "")

# The GUI-free layers: nothing they link may bring a window system with it, however deep.
set(QUARN_GUI_FREE_TARGETS quarn_charts quarn_engine QUARN2015_DLL components_core app_core quarn-run)
set(QUARN_GUI_LIBRARIES Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::OpenGL Qt6::OpenGLWidgets)

# What a link item names, without the generator expressions CMake wraps around it.
function(_quarn_link_name item out)
  string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
  string(REGEX REPLACE "^::@\\([^)]*\\)::" "" item "${item}")
  set(${out} "${item}" PARENT_SCOPE)
endfunction()

# The libraries a target links directly (its interface for a header-only or imported target).
function(_quarn_direct_links tgt out)
  get_target_property(type ${tgt} TYPE)
  get_target_property(imported ${tgt} IMPORTED)
  if(type STREQUAL "INTERFACE_LIBRARY" OR imported)
    get_target_property(libs ${tgt} INTERFACE_LINK_LIBRARIES)
  else()
    get_target_property(libs ${tgt} LINK_LIBRARIES)
  endif()
  set(names "")
  if(libs)
    foreach(lib IN LISTS libs)
      _quarn_link_name("${lib}" name)
      if(NOT name STREQUAL "")
        list(APPEND names "${name}")
      endif()
    endforeach()
  endif()
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

# Stops the configure step when a foreign library reaches a window system through what it links.
function(_quarn_refuse_gui_below tgt lib seen)
  if(lib IN_LIST QUARN_GUI_LIBRARIES)
    message(FATAL_ERROR "layer rule: ${tgt} is GUI-free and may not link ${lib}")
  endif()
  if(NOT TARGET ${lib} OR lib IN_LIST seen OR lib IN_LIST QUARN_LAYER_TARGETS)
    return()
  endif()
  list(APPEND seen ${lib})
  _quarn_direct_links(${lib} below)
  foreach(next IN LISTS below)
    _quarn_refuse_gui_below(${tgt} "${next}" "${seen}")
  endforeach()
endfunction()

function(quarn_check_layers)
  foreach(tgt IN LISTS QUARN_LAYER_TARGETS)
    if(NOT TARGET ${tgt})
      continue()
    endif()
    _quarn_direct_links(${tgt} libs)
    foreach(lib IN LISTS libs)
      if(lib IN_LIST QUARN_LAYER_TARGETS)
        if(NOT lib IN_LIST QUARN_ALLOWED_${tgt})
          message(FATAL_ERROR "layer rule: ${tgt} may not link ${lib}")
        endif()
        continue()
      endif()
      if(NOT lib IN_LIST QUARN_FOREIGN_${tgt})
        message(FATAL_ERROR "layer rule: ${tgt} may not link ${lib}")
      endif()
      if(tgt IN_LIST QUARN_GUI_FREE_TARGETS)
        _quarn_refuse_gui_below(${tgt} "${lib}" "")
      endif()
    endforeach()
  endforeach()
endfunction()

# Within app_gui the folders are layers too: the windows (input, views) and what they stand on
# (host) include nothing of the main window (main), which includes them; host includes no
# window. One target cannot refuse an include by its links, so the sources are read.
set(QUARN_GUI_REFUSED_input main)
set(QUARN_GUI_REFUSED_views main)
set(QUARN_GUI_REFUSED_host main input views)

# Stops (configure step or script) at the first include a folder under `root` may not make.
function(quarn_check_gui_folders root)
  foreach(folder input views host)
    file(GLOB_RECURSE files ${root}/${folder}/*.h ${root}/${folder}/*.cpp)
    foreach(file IN LISTS files)
      file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
      foreach(line IN LISTS includes)
        foreach(refused IN LISTS QUARN_GUI_REFUSED_${folder})
          if(line MATCHES "#[ \t]*include[ \t]*[\"<]${refused}/")
            file(RELATIVE_PATH name ${root} ${file})
            message(FATAL_ERROR "include rule: ${name} may not include ${refused}/ (${line})")
          endif()
        endforeach()
      endforeach()
    endforeach()
  endforeach()
endfunction()
