// Compiled against orvessa_lang by the floors_downward_include_builds test:
// its own floor and every floor below it are in reach.
#include "core/EOrvessaError.h"
#include "lang/TMultiLang.h"
#include "widgets/TMemo.h"
