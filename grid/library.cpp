#include "grid/library.h"

namespace tabrix {

Library library;

}  // namespace tabrix
