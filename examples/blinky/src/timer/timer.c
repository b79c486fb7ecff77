#include <avr/io.h>
#include <avr/interrupt.h>

#include "timer.h"

static volatile uint8_t ticks;
static volatile uint8_t presses;

void timer_init(void)
{
    TCCR0B = _BV(CS02) | _BV(CS00); /* clock / 1024 */
    TIMSK0 = _BV(TOIE0);
    EICRA = _BV(ISC01);             /* INT0 on the falling edge */
    EIMSK = _BV(INT0);
    PORTD |= _BV(PD2);              // pull-up for the button
}

uint8_t timer_presses(void)
{
    return presses;
}

// Timer 0 overflow: about 61 per second at 16 MHz.
ISR(TIMER0_OVF_vect)
{
    ticks++;
    /* settle */
    asm volatile("nop");
}

// The button; ISR(INT0_vect) keeps no state but the count.
ISR(INT0_vect)
{
    presses++;
}
