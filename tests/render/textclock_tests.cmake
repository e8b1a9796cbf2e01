# Tests of the text, clock and count-timer renderers.
