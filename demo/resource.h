// Resource identifiers of the demo program.
#pragma once

#define IDR_SAMPLE_SQL 101
