#pragma once
// The batches of built-in field types registered at start-up, in this order: integers, dividers,
// strings, keys, floating-point numbers, variable-length numbers, then the fields whose length the
// binder bounds: byte arrays, fixed-length text, numbers written as digits; then check fields.

// Creates the registry when needed, then registers the 40 integer codes.
void registerIntegerTypes();
// Creates the registry when needed, then registers DVDR and dvdr.
void registerDividerTypes();
// Registers the 10 string codes.
void registerStringTypes();
// Registers the 20 key codes (KBYT ... KUQW in both cases).
void registerKeyTypes();
// Registers the 6 floating-point codes (SNGL, DOUB, EXTD in both cases).
void registerFloatTypes();
// Registers the 6 variable-length number codes (ULEB, SLEB, UVLQ in both cases).
void registerVarintTypes();
// Registers the 6 byte-array codes (BYTS, PADN, UPTO in both cases).
void registerByteArrayTypes();
// Registers TEXT and text.
void registerFixedTextTypes();
// Registers the 4 number text codes (OTXT, DTXT in both cases).
void registerNumberTextTypes();
// Registers the 10 check codes (CHKB, CHKW, CHKL, CHKQ, CHKO in both cases).
void registerCheckTypes();
