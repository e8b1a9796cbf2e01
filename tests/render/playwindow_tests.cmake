# Tests of the play window, display surface, effects and simulation.
lumora_add_test(test_effectgeometry SOURCES test_effectgeometry.cpp LIBS lumora_render)
lumora_add_test(test_simulator SOURCES test_simulator.cpp schemebuilder.h LIBS lumora_simulate lumora_model
    PATHS LUMORA_SCHEME_TOOL=$<TARGET_FILE:lumora-scheme>)
add_dependencies(test_simulator lumora-scheme lumora-simulate)
lumora_add_test(test_commonplaywindow GUI SOURCES test_commonplaywindow.cpp schemebuilder.h
    LIBS lumora_render lumora_log lumora_model)
lumora_add_test(test_weather SOURCES test_weather.cpp tinyhttpserver.h schemebuilder.h
    LIBS lumora_render lumora_model)
lumora_add_test(test_liveitems GUI SOURCES test_liveitems.cpp schemebuilder.h
    LIBS lumora_render lumora_model)
