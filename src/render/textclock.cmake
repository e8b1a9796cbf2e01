# Sources of the text, clock and count-timer renderers (target_sources into lumora_textcore / lumora_render).
