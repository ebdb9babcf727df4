// The code page of a grid's texts: the ANSI code page (the default) or
// UTF-8, chosen per grid by the host.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

constexpr int kAnsiTexts = 0;
constexpr int kUtf8Texts = CP_UTF8;

// Where texts of `codePage` may be cut: its lead bytes when it is a
// double-byte code page.
TextEncoding EncodingOf(UINT codePage);

// The grid's code page becomes `codePage`; its stored bytes stay as they
// are. The caller makes the windows that show text follow.
void SetTextEncoding(GridState* state, int codePage);

}  // namespace tabrix
