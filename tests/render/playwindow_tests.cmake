# Tests of the play window, display surface, effects and simulation.
lumora_add_test(test_effectgeometry SOURCES test_effectgeometry.cpp LIBS lumora_render)
