// The card designer's own pseudo-random generator. The C library's rand
// differs between platforms; this one gives the same sequence everywhere
// (state * 214013 + 2531011 modulo 2^32, values 0..32767).
#pragma once

#include <cstdint>

// The generator's whole state. The application keeps no globals, so the card
// model holds one of these and hands it by reference to the designs that
// draw from it.
struct CardRandom {
    uint32_t state = 0;
};

// Starts the sequence from `seed`.
void card_random_seed(CardRandom &random, uint32_t seed);

// Advances the state and returns the next value, 0..32767.
int card_random_next(CardRandom &random);
