# The libmpv video widget, its node conversion layer and the process-wide hardware decoding
# choice (target_sources into lumora_render).
target_sources(lumora_render PRIVATE
    hardwaredecoding.cpp hardwaredecoding.h mpvnode.cpp mpvnode.h mpvwidget.cpp mpvwidget.h)
