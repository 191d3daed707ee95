// The card designer's pseudo-random generator: a linear congruential
// sequence in unsigned 32-bit arithmetic, which wraps modulo 2^32.
#include "card_random.h"

void card_random_seed(CardRandom &random, uint32_t seed) {
    random.state = seed;
}

int card_random_next(CardRandom &random) {
    random.state = random.state * 214013u + 2531011u;
    return static_cast<int>((random.state >> 16) & 0x7FFFu);
}
