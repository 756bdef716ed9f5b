# Helpers that turn the folder layout into targets.

set(ONDARA_WINDOWS_LIBS ole32 oleaut32 uuid user32 gdi32 comctl32 uxtheme msimg32
    comdlg32 shell32 gdiplus)

# ondara_module_library(folder [dependency folders...])
# Every .cpp below the folder goes into the static library ondara_<folder>. A folder builds only
# on folders below it: each dependency must have been declared before, so no two folders can
# include each other.
function(ondara_module_library folder)
  foreach(dep IN LISTS ARGN)
    if(NOT TARGET ondara_${dep})
      message(FATAL_ERROR "${folder} builds on ${dep}, which is not declared below it")
    endif()
  endforeach()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  set(target ondara_${folder})
  if(sources)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  foreach(dep IN LISTS ARGN)
    target_link_libraries(${target} ${scope} ondara_${dep})
  endforeach()
  target_link_libraries(${target} ${scope} ${ONDARA_WINDOWS_LIBS})
  set_property(GLOBAL APPEND PROPERTY ONDARA_MODULE_LIBRARIES ${target})
endfunction()

# ondara_test_program(folder [libraries...])
# tests/<folder>/*.cpp and *.rc become <folder>_tests.exe, one CTest test.
function(ondara_test_program folder)
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/${folder}/*.rc)
  if(NOT sources)
    return()
  endif()
  set(target ${folder}_tests)
  add_executable(${target} ${sources} ${ONDARA_HOST_RESOURCES})
  target_link_libraries(${target} PRIVATE ${ARGN} ondara_test_support gtest_main)
  add_test(NAME ${folder} COMMAND ${target} --gtest_color=no
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()

# ondara_layer(folder subfolder [subfolders it includes...])
# One layer of a large folder, whose subfolders stand in layers as the module's folders do: each
# subfolder beside it that it includes must have been declared before, so no two subfolders can
# include each other. The sources still build into the folder's target; scripts/test checks that
# the list is exactly what they include.
function(ondara_layer folder layer)
  get_property(declared GLOBAL PROPERTY ONDARA_LAYERS_${folder})
  foreach(dep IN LISTS ARGN)
    if(NOT dep IN_LIST declared)
      message(FATAL_ERROR "${folder}/${layer} builds on ${folder}/${dep}, which is not declared below it")
    endif()
  endforeach()
  set_property(GLOBAL APPEND PROPERTY ONDARA_LAYERS_${folder} ${layer})
endfunction()
