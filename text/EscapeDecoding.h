#pragma once

#include <cstddef>

#include "text/Text.h"

namespace text {

// Decodes the escaped markup of a listing answer into local text: the text is read as the body
// of a single-quoted ECMAScript (3rd edition) string literal, octal escapes included, and the
// result is passed through `unescape`, with backslash-u escapes resolved in that second stage.
// Apostrophes and CR LF line breaks come back as they were. A text that is not a valid literal
// body (a bare CR or LF, a trailing lone backslash) gives the empty text. A decoded NUL is
// dropped, so a listed comment holding "%00" cannot hide the users listed after it.
Text DecodeEscapes(TextView escaped);

namespace detail {
// DecodeEscapes working through the text in pieces of about `pieceBytes` bytes, so that every
// stage runs on data that is still in the cache. The result never depends on the piece size;
// tests use small pieces to show it.
Text DecodeEscapesInPieces(TextView escaped, std::size_t pieceBytes);
}  // namespace detail

}  // namespace text
