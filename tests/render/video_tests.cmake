# Tests of the libmpv video widget.
lumora_add_test(test_mpvwidget GUI SOURCES test_mpvwidget.cpp LIBS lumora_render)
