#pragma once
// The two rounding rules the program uses, with a number of decimals
// (negative decimals round to tens, hundreds, ...).
//
// A double such as 2.675 is stored as 2.67499999999999982...; rounding that
// binary value would give 2.67 where the user typed and sees 2.675. Both
// rules therefore decide on the value's decimal text with 15 significant
// digits (2.67500000000000), the precision every amount is shown and
// stored with, so 2.675 rounds to 2.68 away from zero.

namespace kx::sys {

// Halves to the even neighbour (banker's rounding): 2.5 -> 2, 3.5 -> 4,
// 0.125 to two decimals -> 0.12.
double RoundHalfEven(double value, int decimals = 0);

// Halves away from zero: 2.5 -> 3, -2.5 -> -3, 2.675 to two decimals -> 2.68.
double RoundHalfAwayFromZero(double value, int decimals = 0);

} // namespace kx::sys
