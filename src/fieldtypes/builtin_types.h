#pragma once
// The batches of built-in field types registered at start-up, in this order: integers, dividers,
// strings, keys, floating-point numbers.

// Creates the registry when needed, then registers the 32 integer codes.
void registerIntegerTypes();
// Creates the registry when needed, then registers DVDR and dvdr.
void registerDividerTypes();
// Registers the 8 string codes.
void registerStringTypes();
// Registers the 20 key codes (KBYT ... KUQW in both cases).
void registerKeyTypes();
// Registers the 6 floating-point codes (SNGL, DOUB, EXTD in both cases).
void registerFloatTypes();
