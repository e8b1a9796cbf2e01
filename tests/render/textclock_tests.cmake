# Tests of the text, clock and count-timer renderers.
lumora_add_test(test_textpaginator SOURCES test_textpaginator.cpp LIBS lumora_textcore)
lumora_add_test(test_scrollspeed SOURCES test_scrollspeed.cpp LIBS lumora_textcore)
lumora_add_test(test_colorpen SOURCES test_colorpen.cpp LIBS lumora_textcore)
lumora_add_test(test_clocktexts SOURCES test_clocktexts.cpp LIBS lumora_textcore)
lumora_add_test(test_textwidget GUI SOURCES test_textwidget.cpp LIBS lumora_render lumora_clock)
lumora_add_test(test_clockwidgets GUI SOURCES test_clockwidgets.cpp LIBS lumora_render lumora_clock)
