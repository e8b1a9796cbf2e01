# The libmpv video widget and its node conversion layer (target_sources into lumora_render).
target_sources(lumora_render PRIVATE mpvnode.cpp mpvnode.h mpvwidget.cpp mpvwidget.h)
