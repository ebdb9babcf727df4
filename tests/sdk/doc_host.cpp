// The documentation's C examples built as C++98, as a C++ host copies them.
#include "doc_host.c"
