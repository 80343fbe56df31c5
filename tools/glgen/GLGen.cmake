# Included by the folders that generate GL bindings.
# glgen_generate(OUTPUT_VARIABLE TABLE DIRECTORY)
# Writes the GL interfaces, GLImp's forwarders and declarations, the dispatch list and the test call
# table from TABLE into DIRECTORY; the forwarders' source is returned in OUTPUT_VARIABLE.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(GLGEN_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/glgen.py)

function(glgen_generate output_variable table directory)
  set(outputs ${directory}/GL.h ${directory}/GL10.h ${directory}/GL11.h ${directory}/GL11Ext.h ${directory}/GL11ExtensionPack.h
              ${directory}/GLImpOperations.inc ${directory}/GLImpForwarders.cpp ${directory}/GLForwarderCalls.inc
              ${directory}/GLFunctions.inc)
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND Python3::Interpreter ${GLGEN_SCRIPT} ${table} ${directory}
    DEPENDS ${GLGEN_SCRIPT} ${table}
    COMMENT "Generating the GL bindings from ${table}")
  set(${output_variable} ${outputs} PARENT_SCOPE)
endfunction()
