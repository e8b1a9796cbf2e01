# Sources of the play window, display surface, effects and other renderers (target_sources into lumora_render).
target_sources(lumora_render PRIVATE
    commonplaywindow.cpp
    commonplaywindow.h
    commonplaywindow_edit.cpp
    commonplaywindow_items.cpp
    effectanimation.cpp
    effectanimation.h
    effectgeometry.cpp
    effectgeometry.h
    mainplaybklabel.cpp
    mainplaybklabel.h
    officepageloader.cpp
    officepageloader.h
    picturecache.cpp
    picturecache.h
    playlabel.cpp
    playlabel.h
    urlwin.cpp
    urlwin.h
    videocoverlabel.cpp
    videocoverlabel.h
    videodevicewindow.cpp
    videodevicewindow.h
    weatherwindow.cpp
    weatherwindow.h
)
target_sources(lumora_render PRIVATE screenplayhost.cpp screenplayhost.h)
target_link_libraries(lumora_render PUBLIC lumora_player)

add_subdirectory(simulate)
