#ifndef TIMER_H
#define TIMER_H

#include <stdint.h>

void timer_init(void);
uint8_t timer_presses(void);

#endif
