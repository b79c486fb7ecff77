; delay_loop: busy-waits r24 * 4 cycles.
#include <avr/io.h>

        .section .text
        .global delay_loop
delay_loop:
        subi    r24, 1          ; one loop: 4 cycles
        nop
        brne    delay_loop
        ret
