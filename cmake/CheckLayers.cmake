cmake_minimum_required(VERSION 3.25)
# Fails when an include points up the layers. A file's layer is the target it is compiled
# into; a header takes the layer of its .cpp (Foo.h of Foo.cpp) or, listed itself, of its
# target. Headers without one (header-only interfaces) take the layer of whoever includes
# them and are followed.
#   core      includes core headers only, and no Qt header;
#   services  includes no widgets header, neither ours nor Qt Widgets';
#   programs and tests are free.
# Arguments: SOURCE_ROOT (src/), CORE, SERVICES, WIDGETS (the targets' source lists; the
# last two are empty in a core-only build), QT_WIDGETS_DIR (Qt Widgets' include folder).

set(rank_core 0)
set(rank_services 1)
set(rank_widgets 2)
set(core "${CORE}")
set(services "${SERVICES}")
set(widgets "${WIDGETS}")

function(absolute_path out file)
  if(NOT IS_ABSOLUTE "${file}")
    set(file "${SOURCE_ROOT}/${file}")
  endif()
  cmake_path(NORMAL_PATH file)
  set(${out} "${file}" PARENT_SCOPE)
endfunction()

# layer_<path> for every source and the header beside it.
foreach(layer core services widgets)
  foreach(source IN LISTS ${layer})
    absolute_path(source "${source}")
    set("layer_${source}" ${layer})
    if(source MATCHES "\\.cpp$")
      string(REGEX REPLACE "\\.cpp$" ".h" header "${source}")
      if(NOT DEFINED "layer_${header}")
        set("layer_${header}" ${layer})
      endif()
    endif()
  endforeach()
endforeach()

set(failures "")
set(checked 0)
# Follows the includes of every file of a layer, under that layer's rule.
foreach(layer core services)
  set(pending "")
  foreach(source IN LISTS ${layer})
    absolute_path(source "${source}")
    list(APPEND pending "${source}")
  endforeach()
  set(seen "")
  while(pending)
    list(POP_FRONT pending file)
    if(file IN_LIST seen OR NOT EXISTS "${file}")
      continue()
    endif()
    list(APPEND seen "${file}")
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
        set(name "${CMAKE_MATCH_1}")
        if(layer STREQUAL "core" AND name MATCHES "^(Q[A-Za-z]*|qt[^/]*)(/|$)")
          list(APPEND failures "${file} (core) includes the Qt header <${name}>")
        elseif(layer STREQUAL "services" AND QT_WIDGETS_DIR AND
               (name MATCHES "^QtWidgets/" OR EXISTS "${QT_WIDGETS_DIR}/${name}"))
          list(APPEND failures "${file} (services) includes the widgets header <${name}>")
        endif()
      elseif(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
        absolute_path(header "${CMAKE_MATCH_1}")
        if(DEFINED "layer_${header}")
          set(owner "${layer_${header}}")
          if(rank_${owner} GREATER rank_${layer})
            list(APPEND failures "${file} (${layer}) includes ${CMAKE_MATCH_1} (${owner})")
            continue()
          endif()
        endif()
        list(APPEND pending "${header}")
      endif()
    endforeach()
  endwhile()
  list(LENGTH seen count)
  math(EXPR checked "${checked} + ${count}")
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Includes that point up the layers:\n  ${text}")
endif()
message(STATUS "${checked} files checked: core includes core only, services no widgets")
