/*
 * blinky: toggles the LED on PB5 and counts button presses on INT0.
 *
 * Before the first sei(); nothing interrupts the set-up below, so the
 * timer and the LED port are prepared in any order.
 */
#include <avr/io.h>
#include <util/delay.h>
#include <avr/interrupt.h>

#include "led.h"
#include "timer.h"

int main(void)
{
    led_init();
    timer_init();
    sei();

    for (;;) {
        led_toggle();
        _delay_ms(BLINK_MS); // the wait is _delay_ms(BLINK_MS), see the defines
        if (timer_presses() > 9) {
            cli();
            led_show_count(timer_presses());
            sei();
        }
    }
    return 0;
}
