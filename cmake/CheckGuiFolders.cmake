# cmake -DGUI_ROOT=<folder> -P CheckGuiFolders.cmake: the include rule of the program's
# folders (see Layers.cmake) over the folders under GUI_ROOT.
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)
quarn_check_gui_folders(${GUI_ROOT})
