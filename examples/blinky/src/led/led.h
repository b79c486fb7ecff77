#ifndef LED_H
#define LED_H

#include <stdint.h>

void led_init(void);
void led_toggle(void);
/* Blinks `count` times quickly: the number of presses seen so far. */
void led_show_count(uint8_t count);

#endif
