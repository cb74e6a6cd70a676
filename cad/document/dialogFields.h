// How the document dialogs read their edit fields back: numbers are taken
// from the front of the text, a field left empty keeps its value.
#pragma once

#include <cstdint>

// The longest leading part of text that forms a decimal number (blanks,
// optional sign, digits with an optional fraction, optional exponent); 0 when
// there is none. A number too large for a double gives the largest finite
// value of its sign, so a field never holds an infinity.
double parseDecimalText(const char* text);
// The leading unsigned base-10 whole number of text (after blanks and an
// optional '+'); 0 when there is none, and for a minus sign. Values above
// UINT32_MAX give UINT32_MAX.
uint32_t parseWholeText(const char* text);

// Store the parsed text into *field; a null or empty text leaves it as it is.
void readDecimalField(const char* text, double* field);
void readWholeField(const char* text, uint32_t* field);
