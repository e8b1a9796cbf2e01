# Sources of the play window, display surface, effects and other renderers (target_sources into lumora_render).
target_sources(lumora_render PRIVATE
    effectgeometry.cpp
    effectgeometry.h
)
