# The layers of the source, one folder and one library each, and the layers each one builds
# on directly. A layer's code may include the headers of its own folder and of every layer it
# builds on, directly or through others; never those of a layer above it. The build gives each
# library an include path that holds those folders only, and the layers_check test reads every
# #include "folder/..." against this table.
set(QUARN_LAYERS base settings model import layout view render cli app)
set(QUARN_LAYER_DEPS_base "")
set(QUARN_LAYER_DEPS_settings base)
set(QUARN_LAYER_DEPS_model settings)
set(QUARN_LAYER_DEPS_import model)
set(QUARN_LAYER_DEPS_layout model)
set(QUARN_LAYER_DEPS_view layout import)
set(QUARN_LAYER_DEPS_render view)
set(QUARN_LAYER_DEPS_cli render)
set(QUARN_LAYER_DEPS_app render)

# The layers a layer may include: itself and everything below it.
function(quarn_layer_closure layer out)
    set(result ${layer})
    foreach(dep ${QUARN_LAYER_DEPS_${layer}})
        quarn_layer_closure(${dep} below)
        list(APPEND result ${below})
    endforeach()
    list(REMOVE_DUPLICATES result)
    set(${out} ${result} PARENT_SCOPE)
endfunction()
