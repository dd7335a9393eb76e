// Compiled against orvessa_widgets by the floors_upward_include_fails test: the
// include below is one floor up and must not be found.
#include "lang/TMultiLang.h"
