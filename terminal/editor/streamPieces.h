// Pieces of a text handed to the rich edit control by EM_STREAMIN.
#pragma once

#include <cstddef>

// Size of the next piece: at most room of the left bytes at data, never
// ending between the CR and the LF of a pair, or the control would read the
// two halves, in two pieces, as two line breaks. 0 only when nothing is
// left, which ends the stream.
size_t streamPieceSize(const char* data, size_t left, size_t room);
