#pragma once
// The C library's generator and the draw built on it. Every draw reseeds from
// the clock in whole seconds, so draws within one second repeat themselves:
// the quiz books and the reader rely on exactly that.
#include <ctime>
#include <functional>

// state <- state * 214013 + 2531011; output (state >> 16) & 0x7FFF. The state
// is kept per thread.
void CrtSrand(unsigned int seed);
int CrtRand();

// Seeds with CurrentTime() and returns the first output modulo n (n >= 1).
int RandomIndex(int n);

// The calendar time in whole seconds; tests replace the source.
std::time_t CurrentTime();
// Replaces the clock (an empty function restores the real one).
void SetClockSource(std::function<std::time_t()> source);
