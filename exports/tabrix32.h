/* The host header lives in include/, where hosts find it. */
#include "../include/tabrix32.h"
