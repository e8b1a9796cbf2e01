# Tests of the libmpv video widget and of video and stream items in the play window.
lumora_add_test(test_mpvwidget GUI SOURCES test_mpvwidget.cpp warninglog.h LIBS lumora_render)
lumora_add_test(test_videoplay GUI SOURCES test_videoplay.cpp warninglog.h tinyhttpserver.h LIBS lumora_render lumora_model)
