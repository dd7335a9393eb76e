#pragma once
// Breaks the floor rule on purpose: the check must find every line below.
#include "core/EOrvessaError.h"
#include "app/TMainForm.h"
#include "../app/TMainForm.h"
