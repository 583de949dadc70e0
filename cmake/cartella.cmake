# One static library per source folder. Sources are picked up by glob, so adding a
# file to a folder needs no edit here; a folder without sources yet becomes an
# interface library that only forwards its dependencies.
function(hopa_cartella nome)
  file(GLOB sorgenti CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sorgenti EXCLUDE REGEX "/main\\.cpp$")
  set(cpp ${sorgenti})
  list(FILTER cpp INCLUDE REGEX "\\.cpp$")
  if(cpp)
    add_library(hopa_${nome} STATIC ${sorgenti})
    target_include_directories(hopa_${nome} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(hopa_${nome} PUBLIC ${ARGN})
    target_compile_options(hopa_${nome} PRIVATE -Wall -Wextra)
  else()
    add_library(hopa_${nome} INTERFACE)
    target_include_directories(hopa_${nome} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(hopa_${nome} INTERFACE ${ARGN})
  endif()
endfunction()
