#include <avr/io.h>
#include <util/delay.h>
#include <avr/pgmspace.h>

#include "led.h"

#define LED_PIN PB5

/* Pause lengths of the count display, in milliseconds; kept in flash with
   PROGMEM and read back with pgm_read_byte(&pauses[i]). */
static const uint8_t pauses[] PROGMEM = {60, 120};

void led_init(void)
{
    DDRB |= _BV(LED_PIN);
    PORTB &= ~_BV(LED_PIN);
}

void led_toggle(void)
{
    PORTB ^= _BV(LED_PIN);
}

void led_show_count(uint8_t count)
{
    uint8_t i;
    for (i = 0; i < count; i++) {
        PORTB |= _BV(LED_PIN);
        _delay_us(500);
        PORTB &= ~_BV(LED_PIN);
        _delay_ms(pgm_read_byte(&pauses[i & 1]));
    }
}
