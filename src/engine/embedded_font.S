/* The game's one typeface, linked into the executable as font.ttf. */
    .section .rodata
    .global embedded_font_data
    .global embedded_font_size
    .balign 16
embedded_font_data:
    .incbin GAME_FONT_FILE
embedded_font_end:
    .balign 8
embedded_font_size:
    .quad embedded_font_end - embedded_font_data
    .section .note.GNU-stack,"",@progbits
