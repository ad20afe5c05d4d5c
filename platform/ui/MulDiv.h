#pragma once
// a * b / c with a 64-bit intermediate, halves rounded away from zero; a zero
// divisor (or a result that does not fit 32 bits) gives -1.
int MulDiv(int number, int numerator, int denominator);
