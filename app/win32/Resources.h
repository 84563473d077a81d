#pragma once

// Resource names shared by celestrix.rc and the code that loads them.
#define CELESTRIX_ICON 1
#define CELESTRIX_STARFIELD 2
