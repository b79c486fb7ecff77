; Start-up of the AVR GCC run time, kept for reference only: the project is
; built with the tool chain's own start-up code, so this file is excluded.
#include <avr/io.h>

        .section .init0,"ax",@progbits
        .global __start
__start:
        clr     r1
        out     _SFR_IO_ADDR(SREG), r1
        rjmp    main
