# Sources of the text, clock and count-timer renderers (target_sources into lumora_textcore / lumora_render).
target_sources(lumora_textcore PRIVATE
    analogdial.cpp analogdial.h
    clockshift.cpp clockshift.h
    colorpen.cpp colorpen.h
    counttimervalue.cpp counttimervalue.h
    digitalclocktext.cpp digitalclocktext.h
    scrollspeed.cpp scrollspeed.h
    textpaginator.cpp textpaginator.h
)
target_sources(lumora_render PRIVATE
    analogclockwidget.cpp analogclockwidget.h
    digitalclockwidget.cpp digitalclockwidget.h
    digitaltimerwin.cpp digitaltimerwin.h
    textwidget.cpp textwidget.h
)
